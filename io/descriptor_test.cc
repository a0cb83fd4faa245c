#include "io/descriptor.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/time.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;

// A pipe, both ends closed at the end of the test.
struct Pipe {
  Pipe() { EXPECT_EQ(::pipe(ends.data()), 0); }
  ~Pipe() {
    ::close(ends[0]);
    ::close(ends[1]);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;

  int readEnd() const { return ends[0]; }
  int writeEnd() const { return ends[1]; }
  std::array<int, 2> ends{-1, -1};
};

// SIGALRM every two milliseconds while it lives, caught by a handler
// installed without SA_RESTART: a read or write blocked in the system then
// returns early, with EINTR or with the part it has done, as it does for a
// user's program that handles a signal.
class Interruptions {
 public:
  Interruptions() {
    count_ = 0;
    struct sigaction action {};
    action.sa_handler = [](int) { ++count_; };
    sigemptyset(&action.sa_mask);
    sigaction(SIGALRM, &action, &previous_);
    const itimerval every{{0, 2000}, {0, 2000}};
    setitimer(ITIMER_REAL, &every, nullptr);
  }
  ~Interruptions() {
    const itimerval off{};
    setitimer(ITIMER_REAL, &off, nullptr);
    sigaction(SIGALRM, &previous_, nullptr);
  }
  Interruptions(const Interruptions&) = delete;
  Interruptions& operator=(const Interruptions&) = delete;

  static int count() { return count_; }

  // Waits until `n` more signals have arrived.
  static void waitFor(int n) {
    const int until = count_ + n;
    while (count_ < until) {
      std::this_thread::sleep_for(1ms);
    }
  }

  // Runs `work` on a thread of its own that never takes the signal, so that
  // every signal lands on the test's thread, in its read or write.
  template <typename Work>
  static std::thread elsewhere(Work work) {
    sigset_t alarm;
    sigset_t before;
    sigemptyset(&alarm);
    sigaddset(&alarm, SIGALRM);
    pthread_sigmask(SIG_BLOCK, &alarm, &before);
    std::thread thread(work);
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return thread;
  }

 private:
  static inline std::atomic<int> count_ = 0;
  struct sigaction previous_ {};
};

TEST(DescriptorSource, ReadsWhatThereIsThenTheEnd) {
  Pipe pipe;
  ASSERT_EQ(::write(pipe.writeEnd(), "p q", 3), 3);
  ::close(pipe.ends[1]);
  pipe.ends[1] = -1;
  DescriptorSource source{pipe.readEnd()};
  std::array<char, 16> into{};
  EXPECT_EQ(DescriptorSource::read(&source, into), 3u);
  EXPECT_EQ(std::string(into.data(), 3), "p q");
  errno = ENOTTY;  // left over from an earlier call, as after isatty(3)
  EXPECT_EQ(DescriptorSource::read(&source, into), 0u);
  EXPECT_EQ(source.error, 0) << "the end is no error, whatever errno held before";
}

TEST(DescriptorSource, AFailedReadIsTheEndWithItsReason) {
  const int directory = ::open("/", O_RDONLY | O_DIRECTORY);
  ASSERT_GE(directory, 0);
  DescriptorSource source{directory};
  std::array<char, 16> into{};
  EXPECT_EQ(DescriptorSource::read(&source, into), 0u);
  EXPECT_EQ(source.error, EISDIR);
  ::close(directory);
}

TEST(DescriptorSource, AReadInterruptedBySignalsIsMadeAgain) {
  Pipe pipe;
  Interruptions interruptions;
  std::thread writer = Interruptions::elsewhere([&] {
    Interruptions::waitFor(20);
    EXPECT_EQ(::write(pipe.writeEnd(), "late", 4), 4);
  });
  DescriptorSource source{pipe.readEnd()};
  std::array<char, 16> into{};
  const std::size_t n = DescriptorSource::read(&source, into);
  writer.join();
  EXPECT_EQ(std::string(into.data(), n), "late");
  EXPECT_EQ(source.error, 0);
}

TEST(DescriptorSink, AFailedWriteIsRefusedWithItsReason) {
  struct Row {
    const char* path;
    int error;
  };
  for (const Row row : {Row{"/dev/full", ENOSPC}, Row{"/dev/null", 0}}) {
    SCOPED_TRACE(row.path);
    const int descriptor = ::open(row.path, O_WRONLY);
    ASSERT_GE(descriptor, 0);
    DescriptorSink sink{descriptor};
    EXPECT_EQ(DescriptorSink::write(&sink, "text\n"), row.error == 0);
    EXPECT_EQ(sink.error, row.error);
    ::close(descriptor);
  }
  DescriptorSink closed{-1};
  EXPECT_FALSE(DescriptorSink::write(&closed, "text\n"));
  EXPECT_EQ(closed.error, EBADF);
}

// The pipe is full when the write starts, so the first signals interrupt it
// before it has written anything (EINTR); the reader then takes the bytes a
// little at a time, so later signals interrupt it part of the way (a partial
// write). Everything must still arrive, once and in order.
TEST(DescriptorSink, AWriteInterruptedBySignalsGoesOnWithTheRest) {
  Pipe pipe;
  ASSERT_GT(::fcntl(pipe.writeEnd(), F_SETPIPE_SZ, 4096), 0);
  ASSERT_EQ(::fcntl(pipe.writeEnd(), F_SETFL, O_NONBLOCK), 0);
  std::string expected;
  while (::write(pipe.writeEnd(), "f", 1) == 1) {
    expected += 'f';
  }
  ASSERT_EQ(::fcntl(pipe.writeEnd(), F_SETFL, 0), 0);
  std::string bytes;
  for (int i = 0; bytes.size() < 256 * 1024; ++i) {
    bytes += std::to_string(i) + ' ';
  }
  expected += bytes;

  Interruptions interruptions;
  std::string received;
  std::thread reader = Interruptions::elsewhere([&] {
    Interruptions::waitFor(5);
    std::array<char, 1024> slice{};
    for (;;) {
      const ssize_t n = ::read(pipe.readEnd(), slice.data(), slice.size());
      if (n <= 0) {
        return;
      }
      received.append(slice.data(), static_cast<std::size_t>(n));
      std::this_thread::sleep_for(100us);
    }
  });
  DescriptorSink sink{pipe.writeEnd()};
  const bool delivered = DescriptorSink::write(&sink, bytes);
  const int signals = Interruptions::count();
  // Whatever the write did, the reader then meets the end.
  ::close(pipe.ends[1]);
  pipe.ends[1] = -1;
  reader.join();
  EXPECT_TRUE(delivered);
  EXPECT_EQ(sink.error, 0);
  EXPECT_TRUE(received == expected) << "received " << received.size() << " of " << expected.size()
                                    << " bytes, not all or not in order";
  EXPECT_GT(signals, 5) << "the write was interrupted on its way";
}

}  // namespace
