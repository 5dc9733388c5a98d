// The logical and arithmetic pages driven as a user drives them: operands typed into the
// real fields, the row's "=" clicked, the result field read. The expected results come
// from a small model of the x86 instructions written here, one place at a time and in
// 64-bit arithmetic with explicit masks, independent of pages/*_operations.

#include "main_window_fixture.h"

#include "pages/logic_page.h"
#include "pages/math_page.h"
#include "platform/controls/control_classes.h"
#include "testing/window_text.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::uint64_t WordMask = 0xFFFFFFFFu;
constexpr std::uint64_t TwoToThe32 = std::uint64_t{1} << 32;

const char DivideByZeroText[] = "S\xFD"
                                "f\xFD"
                                "ra B\xF6l\xFCnme Hatas\xFD!";    // "Sıfıra Bölünme Hatası!"
const char QuotientOverflowText[] = "B\xF6l\xFCm Ta\xFEmas\xFD!"; // "Bölüm Taşması!"

std::string Word(std::uint64_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value & WordMask));
    return text;
}

// The word alone when the second is 0, otherwise "first r second".
std::string Words(std::uint64_t first, std::uint64_t second) {
    return (second & WordMask) == 0 ? Word(first) : Word(first) + " r " + Word(second);
}

std::int64_t SignedWord(std::uint32_t value) {
    return value >= 0x80000000u ? std::int64_t{value} - static_cast<std::int64_t>(TwoToThe32)
                                : std::int64_t{value};
}

// --- The model: what each row's result field must say for A, B and the carry (0 or 1).

using Model = std::string (*)(std::uint32_t a, std::uint32_t b, unsigned carry);

unsigned CountOf(std::uint32_t b) {
    return b & 0x1F;
}

std::string ModelSar(std::uint32_t a, std::uint32_t b, unsigned) {
    std::uint64_t value = a;
    for (unsigned step = 0; step < CountOf(b); ++step)
        value = (value >> 1) | (value & 0x80000000u);
    return Word(value);
}
std::string ModelShr(std::uint32_t a, std::uint32_t b, unsigned) {
    std::uint64_t value = a;
    for (unsigned step = 0; step < CountOf(b); ++step)
        value >>= 1;
    return Word(value);
}
std::string ModelShl(std::uint32_t a, std::uint32_t b, unsigned) {
    std::uint64_t value = a;
    for (unsigned step = 0; step < CountOf(b); ++step)
        value = (value << 1) & WordMask;
    return Word(value);
}
std::string ModelRor(std::uint32_t a, std::uint32_t b, unsigned) {
    std::uint64_t value = a;
    for (unsigned step = 0; step < CountOf(b); ++step)
        value = (value >> 1) | ((value & 1) << 31);
    return Word(value);
}
std::string ModelRol(std::uint32_t a, std::uint32_t b, unsigned) {
    std::uint64_t value = a;
    for (unsigned step = 0; step < CountOf(b); ++step)
        value = ((value << 1) | (value >> 31)) & WordMask;
    return Word(value);
}
std::string ModelRcr(std::uint32_t a, std::uint32_t b, unsigned carry) {
    std::uint64_t value = a;
    for (unsigned step = 0; step < CountOf(b); ++step) {
        const unsigned out = value & 1;
        value = (value >> 1) | (std::uint64_t{carry} << 31);
        carry = out;
    }
    return Word(value);
}
std::string ModelRcl(std::uint32_t a, std::uint32_t b, unsigned carry) {
    std::uint64_t value = a;
    for (unsigned step = 0; step < CountOf(b); ++step) {
        const unsigned out = (value >> 31) & 1;
        value = ((value << 1) | carry) & WordMask;
        carry = out;
    }
    return Word(value);
}
std::string ModelBswap(std::uint32_t a, std::uint32_t, unsigned) {
    std::uint64_t value = 0;
    for (int byte = 0; byte < 4; ++byte)
        value = (value << 8) | ((a >> (8 * byte)) & 0xFF);
    return Word(value);
}

std::string ModelImul(std::uint32_t a, std::uint32_t b, unsigned) {
    const auto product = static_cast<std::uint64_t>(SignedWord(a) * SignedWord(b));
    return Words(product, product >> 32);
}
std::string ModelDiv(std::uint32_t a, std::uint32_t b, unsigned) {
    if (b == 0)
        return DivideByZeroText;
    return Words(std::uint64_t{a} / b, std::uint64_t{a} % b);
}
// The dividend is A with a zero upper half, so it is never negative; the quotient is
// truncated toward zero and must fit in a signed word.
std::string ModelIdiv(std::uint32_t a, std::uint32_t b, unsigned) {
    if (b == 0)
        return DivideByZeroText;
    const std::int64_t dividend = a;
    const std::int64_t divisor = SignedWord(b);
    const std::int64_t quotient = dividend / divisor;
    if (quotient < -std::int64_t{0x80000000} || quotient > std::int64_t{0x7FFFFFFF})
        return QuotientOverflowText;
    const std::int64_t remainder = dividend - quotient * divisor;
    return Words(static_cast<std::uint64_t>(quotient), static_cast<std::uint64_t>(remainder));
}

enum class SecondOperand : std::uint8_t { None, Full, Count };

struct Row {
    const char* mnemonic;
    int page; // 0 logic, 1 arithmetic
    int first;
    SecondOperand second_kind;
    Model model;

    // Two-operand rows: B at first + 2, "=" at first + 3, the result at first + 4;
    // one-operand rows: the button at first + 1, the result at first + 2.
    int second() const { return first + 2; }
    int button() const { return second_kind == SecondOperand::None ? first + 1 : first + 3; }
    int result() const { return second_kind == SecondOperand::None ? first + 2 : first + 4; }
};

const Row Rows[] = {
    {"AND", 0, 2003, SecondOperand::Full,
     [](std::uint32_t a, std::uint32_t b, unsigned) { return Word(a & b); }},
    {"OR", 0, 2008, SecondOperand::Full,
     [](std::uint32_t a, std::uint32_t b, unsigned) { return Word(a | b); }},
    {"XOR", 0, 2013, SecondOperand::Full,
     [](std::uint32_t a, std::uint32_t b, unsigned) { return Word(a ^ b); }},
    {"SAR", 0, 2018, SecondOperand::Count, ModelSar},
    {"SHR", 0, 2023, SecondOperand::Count, ModelShr},
    {"SHL", 0, 2028, SecondOperand::Count, ModelShl},
    {"ROR", 0, 2033, SecondOperand::Count, ModelRor},
    {"RCR", 0, 2038, SecondOperand::Count, ModelRcr},
    {"ROL", 0, 2043, SecondOperand::Count, ModelRol},
    {"RCL", 0, 2048, SecondOperand::Count, ModelRcl},
    {"NOT", 0, 2053, SecondOperand::None,
     [](std::uint32_t a, std::uint32_t, unsigned) { return Word(a ^ WordMask); }},
    {"NEG", 0, 2056, SecondOperand::None,
     [](std::uint32_t a, std::uint32_t, unsigned) { return Word(TwoToThe32 - a); }},
    {"BSWAP", 0, 2059, SecondOperand::None, ModelBswap},
    {"ADD", 1, 3003, SecondOperand::Full,
     [](std::uint32_t a, std::uint32_t b, unsigned) { return Word(std::uint64_t{a} + b); }},
    {"ADC", 1, 3008, SecondOperand::Full,
     [](std::uint32_t a, std::uint32_t b, unsigned carry) {
         return Word(std::uint64_t{a} + b + carry);
     }},
    {"SUB", 1, 3013, SecondOperand::Full,
     [](std::uint32_t a, std::uint32_t b, unsigned) { return Word(TwoToThe32 + a - b); }},
    {"SBB", 1, 3018, SecondOperand::Full,
     [](std::uint32_t a, std::uint32_t b, unsigned carry) {
         return Word(2 * TwoToThe32 + a - b - carry);
     }},
    {"MUL", 1, 3023, SecondOperand::Full,
     [](std::uint32_t a, std::uint32_t b, unsigned) {
         const std::uint64_t product = std::uint64_t{a} * b;
         return Words(product, product >> 32);
     }},
    {"IMUL", 1, 3028, SecondOperand::Full, ModelImul},
    {"DIV", 1, 3033, SecondOperand::Full, ModelDiv},
    {"IDIV", 1, 3038, SecondOperand::Full, ModelIdiv},
};

constexpr int CarryBoxIds[] = {2062, 3043};

// --- Operand texts as a user might type them, with the value each must read as.

struct Operand {
    std::string typed; // may hold lower-case letters; empty for an empty field
    std::uint32_t value;
};

class OperandSource {
  public:
    explicit OperandSource(std::uint32_t seed) : m_random(seed) {}

    unsigned below(unsigned limit) { return static_cast<unsigned>(m_random() % limit); }

    // Borders, empty fields, short and full random operands, letters in either case and
    // sometimes with leading zeros.
    Operand full() {
        static constexpr std::uint32_t Borders[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
        switch (below(8)) {
        case 0:
            return {"", 0};
        case 1:
        case 2:
            return spelled(Borders[below(5)], 8);
        case 3:
        case 4:
            return spelled(static_cast<std::uint32_t>(m_random()) >> (4 * (5 + below(3))), 8);
        default:
            return spelled(static_cast<std::uint32_t>(m_random()), 8);
        }
    }

    // A shift or rotate count of at most two digits: empty, the counts where the five-bit
    // mask matters, or anything from 00 to FF.
    Operand count() {
        static constexpr std::uint32_t Borders[] = {0x00, 0x01, 0x1F, 0x20, 0x21, 0xFF};
        switch (below(4)) {
        case 0:
            return {"", 0};
        case 1:
            return spelled(Borders[below(6)], 2);
        default:
            return spelled(below(256), 2);
        }
    }

  private:
    // The value's digits, sometimes padded with zeros up to width, letters in random case.
    Operand spelled(std::uint32_t value, int width) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(value));
        std::string text = digits;
        if (below(2) == 0)
            text.insert(0, width - static_cast<int>(text.size()), '0');
        for (char& character : text) {
            if (character >= 'A' && character <= 'F' && below(2) == 0)
                character = static_cast<char>(character + 0x20);
        }
        return {text, value};
    }

    std::mt19937 m_random;
};

std::string UpperCase(std::string text) {
    for (char& character : text) {
        if (character >= 'a' && character <= 'f')
            character = static_cast<char>(character - 0x20);
    }
    return text;
}

// What a command may not touch: every control's text and check state on both pages.
struct PageControlState {
    std::string text;
    LRESULT check;
    bool operator==(const PageControlState&) const = default;
};

using PageSnapshot = std::map<int, PageControlState>;

PageSnapshot SnapshotOfPages() {
    PageSnapshot snapshot;
    for (int page = 0; page < 2; ++page) {
        for (Window* control : PageHandles[page]->children) {
            const LRESULT check = SendMessage(control, BM_GETCHECK, 0, 0);
            snapshot[control->id] = {WindowText(control), check};
        }
    }
    return snapshot;
}

// The ids whose text or check state differs between the snapshots, apart from allowed.
std::vector<int> ChangedControls(const PageSnapshot& before, const PageSnapshot& after,
                                 int allowed) {
    std::vector<int> changed;
    for (const auto& [id, state] : after) {
        auto earlier = before.find(id);
        if (id != allowed && (earlier == before.end() || earlier->second != state))
            changed.push_back(id);
    }
    return changed;
}

// Records the writes reaching the controls of both pages, ahead of their own procedures.
struct WriteRecorder {
    struct Write {
        int id;
        UINT message;
        bool operator==(const Write&) const = default;
        friend void PrintTo(const Write& write, std::ostream* stream) {
            *stream << (write.message == WM_SETTEXT ? "WM_SETTEXT" : "BM_SETCHECK") << " to "
                    << write.id;
        }
    };
    static std::vector<Write>& writes() {
        static std::vector<Write> recorded;
        return recorded;
    }
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_SETTEXT || message == BM_SETCHECK)
            writes().push_back({window->id, message});
        auto next = reinterpret_cast<WNDPROC>(window->user_data);
        return CallWindowProc(next, window, message, wparam, lparam);
    }
    static void Install() {
        for (int page = 0; page < 2; ++page) {
            for (Window* control : PageHandles[page]->children) {
                control->user_data =
                    SetWindowLongPtr(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
            }
        }
    }
};

class CalculatingPagesTest : public MainWindowTest {
  protected:
    void show_page(int page) { ChooseTab(FindControl(1001), page); }

    // Empties the field, then types the operand into it as the keyboard would.
    void enter(int id, const Operand& operand) {
        SendMessage(FindControl(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        Type(id, operand.typed);
        EXPECT_EQ(Text(id), UpperCase(operand.typed)) << "field " << id;
    }

    unsigned carry_of(int page) { return Checked(CarryBoxIds[page]) ? 1 : 0; }
};

} // namespace

// Thousands of operands typed into every row of both pages; after each "=" the row's
// result field shows what the model says, and no other control of either page changed.
TEST_F(CalculatingPagesTest, EveryRowAgreesWithTheModelAndWritesOnlyItsResult) {
    OperandSource source(20240917);
    constexpr int Rounds = 160; // 21 rows each: some 3400 operand pairs
    const int beeps_before = Windows().beep_count;
    for (int round = 0; round < Rounds; ++round) {
        for (int page = 0; page < 2; ++page) {
            show_page(page);
            // The carry box is checked about half the time, by clicking it as a user does.
            if (source.below(2) == 0)
                Click(CarryBoxIds[page]);
            for (const Row& row : Rows) {
                if (row.page != page)
                    continue;
                const Operand a = source.full();
                const Operand b =
                    row.second_kind == SecondOperand::Count ? source.count() : source.full();
                enter(row.first, a);
                if (row.second_kind != SecondOperand::None)
                    enter(row.second(), b);
                const unsigned carry = carry_of(page);
                SCOPED_TRACE(std::string(row.mnemonic) + " A \"" + a.typed + "\" B \"" +
                             (row.second_kind != SecondOperand::None ? b.typed : "") + "\" carry " +
                             std::to_string(carry));

                const PageSnapshot before = SnapshotOfPages();
                Click(row.button());
                const PageSnapshot after = SnapshotOfPages();

                EXPECT_EQ(Text(row.result()), row.model(a.value, b.value, carry));
                EXPECT_EQ(ChangedControls(before, after, row.result()), std::vector<int>{})
                    << "only the row's result field may change";
            }
        }
        if (HasFailure())
            break; // one round's failures say enough
    }
    EXPECT_EQ(Windows().beep_count, beeps_before) << "every typed character was a digit";
}

// Each "=" sends exactly one write, to its own row's result field, even where the text it
// writes is the one already there; a click on a carry box writes only that box.
TEST_F(CalculatingPagesTest, EachCommandWritesOnlyItsOwnResultField) {
    WriteRecorder::Install();
    for (int pass = 0; pass < 2; ++pass) {
        for (const Row& row : Rows) {
            SCOPED_TRACE(std::string(row.mnemonic) + " pass " + std::to_string(pass));
            show_page(row.page);
            WriteRecorder::writes().clear();
            Click(row.button());
            const std::vector<WriteRecorder::Write> expected = {{row.result(), WM_SETTEXT}};
            EXPECT_EQ(WriteRecorder::writes(), expected);
        }
    }
    for (int page = 0; page < 2; ++page) {
        SCOPED_TRACE("carry box " + std::to_string(CarryBoxIds[page]));
        show_page(page);
        WriteRecorder::writes().clear();
        Click(CarryBoxIds[page]);
        ASSERT_FALSE(WriteRecorder::writes().empty()) << "the caption is written";
        for (const WriteRecorder::Write& write : WriteRecorder::writes())
            EXPECT_EQ(write.id, CarryBoxIds[page]);
    }
}

// Kept on purpose: each row reads its operands with the size it always has, 9 or 50, the
// second operand first. Either size reads an eight-digit field whole.
namespace {

std::vector<WPARAM>& ReadSizesHeard() {
    static std::vector<WPARAM> heard;
    return heard;
}

LRESULT CALLBACK RecordReadSize(HWND field, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_GETTEXT)
        ReadSizesHeard().push_back(wparam);
    return CallWindowProc(reinterpret_cast<WNDPROC>(GetWindowLongPtr(field, GWLP_USERDATA)), field,
                          message, wparam, lparam);
}

void RecordReadsOf(HWND field) {
    const LONG_PTR previous =
        SetWindowLongPtr(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordReadSize));
    SetWindowLongPtr(field, GWLP_USERDATA, previous);
}

} // namespace

TEST_F(MainWindowTest, EachRowReadsItsOperandsWithItsOwnReadSize) {
    struct Row {
        int first, second, button;
        WPARAM read_size;
    };
    const Row rows[] = {
        {AndRow.first(), AndRow.second(), AndRow.button(), 9},
        {RorRow.first(), RorRow.second(), RorRow.button(), 9},
        {RcrRow.first(), RcrRow.second(), RcrRow.button(), 50},
        {RclRow.first(), RclRow.second(), RclRow.button(), 50},
        {NotRow.operand(), NotRow.operand(), NotRow.button(), 50},
        {AddRow.first(), AddRow.second(), AddRow.button(), 9},
        {SubRow.first(), SubRow.second(), SubRow.button(), 50},
        {SbbRow.first(), SbbRow.second(), SbbRow.button(), 9},
        {IdivRow.first(), IdivRow.second(), IdivRow.button(), 50},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.button);
        RecordReadsOf(FindControl(row.first));
        if (row.second != row.first)
            RecordReadsOf(FindControl(row.second));
        ChooseTab(TabHandle, row.first < MathRows[0].base ? 0 : 1);
        ReadSizesHeard().clear();
        Click(row.button);
        const std::vector<WPARAM> expected(row.second != row.first ? 2 : 1, row.read_size);
        EXPECT_EQ(ReadSizesHeard(), expected);
    }
}
