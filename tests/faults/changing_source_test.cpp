// A source that another program changes while it is being split: the run ends, and either
// the pieces match what the source held when its split began or the source is reported.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "split/messages.h"
#include "split/split_run.h"
#include "tests/faults/fault_run.h"
#include "tests/support/split_model.h"

namespace {

using ChangingSource = FaultRun;

// Changes made between two pieces, through the host's hook that runs before each piece.
TEST_F(ChangingSource, BetweenPiecesEndsWithPiecesOfTheOriginalOrAReadError) {
  const std::string text = crlf_lines(50, 100);  // pieces of 1,000 bytes
  const std::vector<std::string> model = model_pieces(text, 1024);
  const std::string other = crlf_lines(7, 60, 'A');
  struct Case {
    const char* name;
    std::function<void(const std::string& path)> change;
    bool read_error;  // else all the pieces of the source as it was
  };
  const Case cases[] = {
      {"grows",
       [&](const std::string& path) {
         ASSERT_TRUE(write_bytes_at(path, text.size(), crlf_lines(40, 100, 'G')));
       },
       false},
      {"shrinks to nothing", [](const std::string& path) { ASSERT_TRUE(set_file_size(path, 0)); },
       true},
      {"shrinks into the next piece",
       [](const std::string& path) { ASSERT_TRUE(set_file_size(path, 1500)); }, true},
      {"shrinks into a later chunk",
       [](const std::string& path) { ASSERT_TRUE(set_file_size(path, 3500)); }, true},
  };
  for (const Case& c : cases) {
    // Pieces that fit the read buffer, and pieces larger than it, which take another path.
    for (const std::size_t block : {std::size_t{1} << 20, std::size_t{256}}) {
      SCOPED_TRACE(std::string(c.name) + ", buffer " + std::to_string(block));
      TempDir run;
      const std::string novel = run / "novel.txt";
      ASSERT_TRUE(write_bytes(novel, text));
      const std::string after = run / "after.txt";
      ASSERT_TRUE(write_bytes(after, other));
      ASSERT_TRUE(make_dir(run / "out"));
      host = RecordingHost();
      host.folder = run / "out";
      host.size = "1";
      host.sources = {novel, after};
      host.on_folder_read = [&](int reads) {
        if (reads == 3) c.change(novel);  // piece 2 of novel.txt is next
      };
      SplitTuning tuning;
      tuning.block_size = block;
      const RunOutcome outcome = run_split(host, tuning);
      // How far the split gets before it stops depends on how much it had read before the
      // change; whatever it wrote must be the source's own first pieces.
      std::size_t kept = 0;
      while (file_exists(piece_path("novel", static_cast<int>(kept) + 1, run / "out"))) ++kept;
      if (c.read_error) {
        EXPECT_EQ(outcome, RunOutcome::completed_with_faults);
        expect_ended_with(report_of({{novel, read_failed()}}));
        EXPECT_GE(kept, 1u);  // written before the change
        EXPECT_LT(kept, model.size());
      } else {
        EXPECT_EQ(outcome, RunOutcome::completed);
        expect_ended_with(message::kFinished);
        EXPECT_EQ(kept, model.size());
      }
      ASSERT_LE(kept, model.size());
      expect_pieces("novel", std::vector<std::string>(model.begin(), model.begin() + kept),
                    run / "out");
      expect_pieces("after", {other}, run / "out");
    }
  }
}

// Runs split runs of `text` (then of a small second source) while `change`, started once the
// split of the source has taken its length, changes the source from another thread until the
// run is over; `check` looks at each run's outcome and the pieces of the source.
class ConcurrentChange : public FaultRun {
 public:
  using Change = std::function<void(const std::string& path, std::mt19937& random,
                                    const std::atomic<bool>& stop)>;
  using Check = std::function<void(RunOutcome outcome, const std::string& path,
                                   const std::vector<std::string>& pieces)>;

  static std::string novel_text() {
    std::string text;
    std::mt19937 rng(7);
    while (text.size() < kSize) {
      text += std::string(20 + rng() % 300, static_cast<char>('a' + rng() % 26)) + "\r\n";
    }
    text.resize(kSize - 2);
    return text + "\r\n";
  }

  void run_rounds(const std::string& text, const Change& change, const Check& check) {
#ifdef _WIN32
    const int rounds = 4;  // every file operation under Wine is slow
#else
    const int rounds = 20;
#endif
    const std::string after = crlf_lines(9, 70, 'A');
    for (int round = 0; round < rounds; ++round) {
      SCOPED_TRACE("round " + std::to_string(round));
      TempDir run;
      const std::string novel = run / "novel.txt";
      ASSERT_TRUE(write_bytes(novel, text));
      ASSERT_TRUE(write_bytes(run / "after.txt", after));
      ASSERT_TRUE(make_dir(run / "out"));
      host = RecordingHost();
      host.folder = run / "out";
      host.size = "1";
      host.sources = {novel, run / "after.txt"};
      std::atomic<bool> stop{false};
      std::mt19937 random(static_cast<unsigned>(round));
      std::thread changer;
      host.on_folder_read = [&](int reads) {
        if (reads == 2) changer = std::thread([&] { change(novel, random, stop); });
      };
      SplitTuning tuning;
      tuning.block_size = round % 2 == 0 ? std::size_t{1} << 20 : 256;  // both ways of reading
      const RunOutcome outcome = run_split(host, tuning);
      stop = true;
      if (changer.joinable()) changer.join();

      std::vector<std::string> pieces;
      for (int k = 1;; ++k) {
        std::string bytes;
        if (!read_bytes(piece_path("novel", k, run / "out"), &bytes)) break;
        pieces.push_back(bytes);
      }
      check(outcome, novel, pieces);
      expect_pieces("after", {after}, run / "out");
    }
  }

  static constexpr std::size_t kSize = 200 * 1024;  // whole 4 KiB pages
};

void pause(std::mt19937& random) {
#ifdef _WIN32
  std::this_thread::sleep_for(std::chrono::microseconds(random() % 200000));
#else
  std::this_thread::sleep_for(std::chrono::microseconds(random() % 1000));
#endif
}

// Another program appends to the source, cuts the appended bytes off again and writes parts
// of the source over with the same bytes, all the while it is split: the pieces are always
// those of the source as it was when its split began.
TEST_F(ConcurrentChange, AGrowingSourceGivesThePiecesOfItsLengthAtTheStart) {
  const std::string text = novel_text();
  const std::vector<std::string> model = model_pieces(text, 1024);
  run_rounds(
      text,
      [&](const std::string& path, std::mt19937& random, const std::atomic<bool>& stop) {
        while (!stop.load()) {
          write_bytes_at(path, text.size(), crlf_lines(1 + random() % 50, 80, 'G'));
          set_file_size(path, text.size());  // a whole page: nothing before it is touched
          const std::size_t at = random() % text.size();
          write_bytes_at(path, at, text.substr(at, 1 + random() % 5000));
          pause(random);
        }
      },
      [&](RunOutcome outcome, const std::string&, const std::vector<std::string>& pieces) {
        EXPECT_EQ(outcome, RunOutcome::completed);
        expect_ended_with(message::kFinished);
        EXPECT_EQ(pieces, model);
      });
}

// Another program cuts the source short at some moment while it is split. A read racing with
// the cut may see the dropped bytes as zeros (the system does that, for reads and for its
// file-to-file copy alike), so the pieces cannot be compared with the source; but the run
// ends, the source is reported unless every read succeeded, and every piece obeys the size.
TEST_F(ConcurrentChange, AShrinkingSourceEndsTheRunAndIsReported) {
  const std::string text = novel_text();
  int reported = 0;
  run_rounds(
      text,
      [&](const std::string& path, std::mt19937& random, const std::atomic<bool>&) {
        pause(random);
        set_file_size(path, random() % text.size());
      },
      [&](RunOutcome outcome, const std::string& path, const std::vector<std::string>& pieces) {
        std::size_t total = 0;
        for (const std::string& piece : pieces) {
          EXPECT_GE(piece.size(), 1u);
          EXPECT_LE(piece.size(), 1024u);
          total += piece.size();
        }
        if (outcome == RunOutcome::completed) {
          expect_ended_with(message::kFinished);
          EXPECT_EQ(total, text.size());
        } else {
          ++reported;
          EXPECT_EQ(outcome, RunOutcome::completed_with_faults);
          expect_ended_with(report_of({{path, read_failed()}}));
          EXPECT_LT(total, text.size());
        }
      });
  EXPECT_GT(reported, 0);  // the cut came before the end at least once
}

}  // namespace
