#include "platform/backends/desktop/selection_limits.h"
#include "platform/backends/wayland/output_scale.h"
#include "platform/backends/wayland/selection_pipe.h"
#include "platform/backends/wayland/selections.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A pipe whose write end another thread writes pieces into, as the selection's owner does.
class Owner {
  public:
    Owner() { EXPECT_EQ(pipe2(m_ends, O_CLOEXEC), 0); }
    ~Owner() {
        if (m_writer.joinable())
            m_writer.join();
        close(m_ends[0]);
        if (m_ends[1] >= 0)
            close(m_ends[1]);
    }
    int read_end() const { return m_ends[0]; }
    // Writes each piece after its pause, then closes the write end unless told to keep it.
    void write(std::vector<std::pair<std::chrono::milliseconds, std::string>> pieces,
               bool closes = true) {
        m_writer = std::thread([this, pieces = std::move(pieces), closes] {
            for (const auto& [pause, text] : pieces) {
                std::this_thread::sleep_for(pause);
                std::string_view rest = text;
                while (!rest.empty()) {
                    const ssize_t written = ::write(m_ends[1], rest.data(), rest.size());
                    if (written <= 0)
                        return;
                    rest.remove_prefix(static_cast<std::size_t>(written));
                }
            }
            if (closes) {
                close(m_ends[1]);
                m_ends[1] = -1;
            }
        });
    }
    void close_write_end() {
        close(m_ends[1]);
        m_ends[1] = -1;
    }

  private:
    int m_ends[2] = {-1, -1};
    std::thread m_writer;
};

using std::chrono::milliseconds;

TEST(SelectionPipe, ReadsWhatTheOwnerWritesUntilItCloses) {
    Owner owner;
    owner.write({{milliseconds(0), "DE"}, {milliseconds(50), "AD"}, {milliseconds(50), "BEEF"}});
    EXPECT_EQ(ReadSelectionPipe(owner.read_end()), std::optional<std::string>("DEADBEEF"));
}

TEST(SelectionPipe, AnOwnerThatClosesAtOnceGivesNothing) {
    Owner owner;
    owner.close_write_end();
    EXPECT_EQ(ReadSelectionPipe(owner.read_end()), std::optional<std::string>(""));
}

TEST(SelectionPipe, GivesUpOnAnOwnerThatStalls) {
    Owner owner;
    // The first piece comes, then nothing for longer than an owner may pause.
    owner.write({{milliseconds(0), "12"}}, false);
    const auto start = Clock::now();
    EXPECT_EQ(ReadSelectionPipe(owner.read_end()), std::nullopt);
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, SelectionAnswerWait);
    EXPECT_LT(waited, SelectionAnswerWait + milliseconds(1500));
    owner.close_write_end();
}

TEST(SelectionPipe, RefusesATextOverTheLimitAndTakesOneAtIt) {
    for (const std::size_t size : {LargestClipboardText, LargestClipboardText + 1}) {
        SCOPED_TRACE(size);
        Owner owner;
        owner.write({{milliseconds(0), std::string(size, 'A')}});
        const std::optional<std::string> read = ReadSelectionPipe(owner.read_end());
        if (size <= LargestClipboardText) {
            ASSERT_TRUE(read.has_value());
            EXPECT_EQ(read->size(), size);
        } else {
            EXPECT_EQ(read, std::nullopt);
        }
    }
}

TEST(SelectionPipe, AReaderThatWentAwayCostsNoSignal) {
    int ends[2];
    ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
    close(ends[0]);
    // Without the guard, SIGPIPE would end this test program here.
    WriteSelectionPipe(ends[1], std::string(100000, 'x'));
    close(ends[1]);
    SUCCEED();
}

TEST(SelectionPipe, WritesAllOfALongText) {
    int ends[2];
    ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
    // Far more than a pipe holds, so the writer must wait for the reader.
    const std::string text(1 << 20, 'q');
    std::string received;
    std::thread reader([&] {
        char piece[4096];
        ssize_t got;
        while ((got = read(ends[0], piece, sizeof piece)) > 0)
            received.append(piece, static_cast<std::size_t>(got));
    });
    WriteSelectionPipe(ends[1], text);
    close(ends[1]);
    reader.join();
    close(ends[0]);
    EXPECT_EQ(received.size(), text.size());
}

TEST(SelectionTypes, AsksForUtf8TextUnderAnyOfItsNames) {
    struct Row {
        const char* why;
        std::vector<std::string> offered;
        std::optional<std::string> expected;
    };
    const Row rows[] = {
        {"GTK's offer",
         {"text/plain;charset=utf-8", "UTF8_STRING", "TEXT", "STRING"},
         "text/plain;charset=utf-8"},
        {"the MIME type first, wherever it stands",
         {"STRING", "UTF8_STRING", "text/plain;charset=utf-8"},
         "text/plain;charset=utf-8"},
        {"an Xwayland program", {"TARGETS", "UTF8_STRING", "COMPOUND_TEXT"}, "UTF8_STRING"},
        {"plain text alone", {"text/plain"}, "text/plain"},
        {"a picture", {"image/png"}, std::nullopt},
        {"nothing offered", {}, std::nullopt},
        {"the charset is spelt as given", {"text/plain;charset=UTF-16"}, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(PreferredTextType(row.offered), row.expected);
    }
}

TEST(BufferScale, TheDensestOutputWithinTheFontsScales) {
    struct Row {
        std::vector<int> outputs;
        int expected;
    };
    const Row rows[] = {
        {{}, 1}, {{1}, 1}, {{2}, 2}, {{1, 2}, 2}, {{2, 1}, 2}, {{3}, 2}, {{0}, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.outputs));
        EXPECT_EQ(BufferScaleFor(row.outputs), row.expected);
    }
}

TEST(BufferScale, TheSurfaceCoversEveryPixel) {
    EXPECT_EQ(SurfaceUnits(924, 2), 462);
    EXPECT_EQ(SurfaceUnits(925, 2), 463);
    EXPECT_EQ(SurfaceUnits(403, 1), 403);
}

} // namespace
