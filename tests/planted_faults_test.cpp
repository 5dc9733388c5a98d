// The rules that the fuzz target and the soak check can fail: each fault below is planted
// into a page through its operations table, and the checker must report it at the faulty
// row's result field, both on the fuzz target's seed inputs, run as the fuzz target runs
// an input, and on a run of random actions from the soak's own seed.

#include "byte_source.h"
#include "user_session.h"

#include "pages/logic_page.h"
#include "pages/math_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::uint32_t AndAsOr(LogicOperation operation, std::uint32_t a, std::uint32_t b, CarryFlag carry) {
    return ApplyLogicOperation(operation == LogicOperation::And ? LogicOperation::Or : operation, a,
                               b, carry);
}

std::uint32_t RclThroughTheOtherCarry(LogicOperation operation, std::uint32_t a, std::uint32_t b,
                                      CarryFlag carry) {
    if (operation == LogicOperation::Rcl)
        carry = carry == CarryFlag::Set ? CarryFlag::Clear : CarryFlag::Set;
    return ApplyLogicOperation(operation, a, b, carry);
}

ArithmeticResult RemainderOneTooLarge(MathOperation operation, std::uint32_t a, std::uint32_t b,
                                      CarryFlag carry) {
    ArithmeticResult result = ApplyMathOperation(operation, a, b, carry);
    const bool is_quotient = result.kind == ResultKind::Value || result.kind == ResultKind::Pair;
    if ((operation == MathOperation::Div || operation == MathOperation::Idiv) && is_quotient) {
        result.edx += 1;
        result.kind = ResultKind::Pair;
    }
    return result;
}

ArithmeticResult ZeroDivisorAsOverflow(MathOperation operation, std::uint32_t a, std::uint32_t b,
                                       CarryFlag carry) {
    ArithmeticResult result = ApplyMathOperation(operation, a, b, carry);
    if (result.kind == ResultKind::DivideByZero)
        result.kind = ResultKind::QuotientOverflow;
    return result;
}

const LogicOperationTable RealLogic = {ApplyLogicOperation, ApplyUnaryOperation};
const MathOperationTable RealMath = {ApplyMathOperation};

struct PlantedFault {
    const char* name;
    LogicOperationTable logic;
    MathOperationTable math;
    std::vector<int> result_fields; // where it shows: one of these
};

const PlantedFault Faults[] = {
    {"AND computes OR", {AndAsOr, ApplyUnaryOperation}, RealMath, {2007}},
    {"RCL rotates through the other carry",
     {RclThroughTheOtherCarry, ApplyUnaryOperation},
     RealMath,
     {2052}},
    {"DIV and IDIV leave a remainder one too large",
     RealLogic,
     {RemainderOneTooLarge},
     {3037, 3042}},
    {"a zero divisor shows the overflow message", RealLogic, {ZeroDivisorAsOverflow}, {3037, 3042}},
};

// The most random actions a run gets to show a fault. From the soak's seed, the zero
// divisor shows after 184 actions, the remainder after 5166, RCL after 14709 and AND after
// 31854: random typing rarely fills both operands of a row between two "Temizle".
constexpr std::uint64_t MostSoakActions = 50000;
constexpr std::uint64_t SoakSeed = 1;

std::vector<std::filesystem::path> SeedInputs() {
    std::vector<std::filesystem::path> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(KALVETRA_MAIN_WINDOW_CORPUS))
        seeds.push_back(entry.path());
    std::sort(seeds.begin(), seeds.end());
    return seeds;
}

std::vector<std::uint8_t> BytesOf(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The reports of one run, and how many actions it took.
struct SessionRun {
    std::vector<std::string> reports;
    std::uint64_t actions = 0;
};

SessionRun RunReporting(ByteSource& bytes, std::uint64_t most_actions) {
    SessionRun run;
    SessionOptions options;
    options.most_actions = most_actions;
    options.report_broken_rule = [&run](const std::string& what) { run.reports.push_back(what); };
    run.actions = RunSession(bytes, options);
    return run;
}

// The first report that names one of the fields as the one a row wrote wrongly.
const std::string* ReportAt(const SessionRun& run, const std::vector<int>& fields) {
    for (const std::string& report : run.reports)
        for (int field : fields)
            if (report.find(" into " + std::to_string(field) + " where the model computes") !=
                std::string::npos)
                return &report;
    return nullptr;
}

std::string FirstLine(const std::string& report) {
    return report.substr(0, report.find('\n'));
}

class PlantedFaults : public testing::Test {
  protected:
    void TearDown() override {
        LogicPageOperations = RealLogic;
        MathPageOperations = RealMath;
    }

    static void Plant(const PlantedFault& fault) {
        LogicPageOperations = fault.logic;
        MathPageOperations = fault.math;
    }
};

TEST_F(PlantedFaults, WithoutAFaultTheSeedInputsBreakNoRule) {
    for (const std::filesystem::path& seed : SeedInputs()) {
        SCOPED_TRACE(seed.filename().string());
        const std::vector<std::uint8_t> input = BytesOf(seed);
        InputBytes bytes(input);
        const SessionRun run = RunReporting(bytes, MostSoakActions);
        EXPECT_TRUE(run.reports.empty()) << run.reports.front();
        EXPECT_TRUE(bytes.is_exhausted());
    }
}

TEST_F(PlantedFaults, TheFuzzTargetsCheckerReportsEach) {
    for (const PlantedFault& fault : Faults) {
        SCOPED_TRACE(fault.name);
        Plant(fault);
        const std::string* caught = nullptr;
        for (const std::filesystem::path& seed : SeedInputs()) {
            const std::vector<std::uint8_t> input = BytesOf(seed);
            InputBytes bytes(input);
            const SessionRun run = RunReporting(bytes, MostSoakActions);
            if ((caught = ReportAt(run, fault.result_fields)) != nullptr) {
                std::cout << fault.name << ": seed input " << seed.filename().string() << ", after "
                          << run.actions << " actions: " << FirstLine(*caught) << "\n";
                break;
            }
        }
        EXPECT_NE(caught, nullptr) << "no seed input showed it";
    }
}

TEST_F(PlantedFaults, TheSoaksCheckerReportsEach) {
    for (const PlantedFault& fault : Faults) {
        SCOPED_TRACE(fault.name);
        Plant(fault);
        GeneratedBytes bytes(SoakSeed);
        const SessionRun run = RunReporting(bytes, MostSoakActions);
        const std::string* caught = ReportAt(run, fault.result_fields);
        ASSERT_NE(caught, nullptr) << run.actions << " actions showed nothing";
        std::cout << fault.name << ": soak seed " << SoakSeed << ", after " << run.actions
                  << " actions: " << FirstLine(*caught) << "\n";
    }
}

} // namespace
