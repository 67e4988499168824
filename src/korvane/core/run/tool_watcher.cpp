#include "korvane/core/run/tool_watcher.h"

#include <algorithm>

#include "korvane/core/run/console_copy.h"
#include "korvane/core/run/console_lines.h"
#include "korvane/core/run/ui_dispatcher.h"
#include "platform/atomic_file.h"
#include "platform/reaper.h"

namespace korvane {

namespace {

// The most read from the console at one time.
constexpr std::size_t kReadLimit = 1 << 20;
// The longest a stop or cancel waits to be noticed by the watcher's thread.
constexpr std::chrono::milliseconds kWakeInterval(50);

// In the clock's full resolution: a time cut to whole milliseconds could end a
// grace up to a millisecond early.
long long NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

// What the posted work shares with the watcher; it outlives a watcher that is
// gone before its work ran.
struct ToolWatcher::Shared {
  WatcherListener* listener = nullptr;
  std::atomic<bool> alive{true};
  std::mutex mutex;
  std::condition_variable taken;
  int inFlight = 0;
};

ToolWatcher::ToolWatcher(std::unique_ptr<platform::Process> process, UiDispatcher& ui,
                         WatcherListener& listener, WatcherOptions options)
    : process_(std::move(process)),
      ui_(ui),
      options_(std::move(options)),
      shared_(std::make_shared<Shared>()) {
  shared_->listener = &listener;
}

ToolWatcher::~ToolWatcher() {
  {
    // Under the lock, so that a thread about to wait for the interface sees it.
    std::lock_guard lock(shared_->mutex);
    shared_->alive = false;
    stop_ = true;
  }
  shared_->taken.notify_all();
  if (thread_.joinable()) thread_.join();
  if (process_ && !process_->TryWait()) {
    if (options_.reaper != nullptr) {
      options_.reaper->Stop(std::move(process_), options_.killGrace);
    } else {
      process_->Kill();
      process_->WaitFor(options_.killGrace);
    }
  }
}

void ToolWatcher::Start() {
  if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
}

Outcome ToolWatcher::Cancel() {
  long long never = kNever;
  cancelAt_.compare_exchange_strong(never, NowNs());
  return Outcome::FromReason(platform::WriteFileAtomic(options_.semaphorePath, ""));
}

void ToolWatcher::Post(std::function<void(WatcherListener&)> work) {
  {
    std::lock_guard lock(shared_->mutex);
    ++shared_->inFlight;
  }
  ui_.Post([shared = shared_, work = std::move(work)] {
    if (shared->alive) work(*shared->listener);
    {
      std::lock_guard lock(shared->mutex);
      --shared->inFlight;
    }
    shared->taken.notify_all();
  });
}

void ToolWatcher::HandOn(std::vector<std::string>& lines) {
  if (lines.empty()) return;
  if (copy_) copy_->Append(lines);
  Post([batch = std::move(lines)](WatcherListener& l) { l.OnConsoleLines(batch); });
  lines = {};
  std::unique_lock lock(shared_->mutex);
  shared_->taken.wait(lock, [this] {
    return shared_->inFlight < options_.maxBatchesInFlight || stop_ || !shared_->alive;
  });
}

void ToolWatcher::ReadConsole(std::string& chunk) {
  chunk.clear();
  if (process_->ReadAvailable(chunk, kReadLimit) == platform::ReadState::Failed) {
    Post([](WatcherListener& l) { l.OnPipeWarning("ReadFile"); });
    // A pipe that fails once keeps failing; reading on would only repeat the warning.
    process_->CloseOutput();
  }
}

void ToolWatcher::Escalate() {
  const long long cancelAt = cancelAt_.load();
  if (cancelAt == kNever) return;
  const std::chrono::nanoseconds since(NowNs() - cancelAt);
  if (!terminated_ && since >= options_.cancelGrace) {
    process_->Terminate();
    terminated_ = true;
  }
  if (!killed_ && since >= options_.cancelGrace + options_.killGrace) {
    process_->Kill();
    killed_ = true;
  }
}

RunEnd ToolWatcher::EndOf(const std::optional<platform::ExitStatus>& status) const {
  const platform::ExitStatus s = status.value_or(platform::ExitStatus{});
  if (CancelRequested()) return {RunEnd::Kind::Cancelled, s.ShellStatus()};
  if (s.kind == platform::ExitStatus::Kind::Signalled) return {RunEnd::Kind::Signalled, s.code};
  if (s.code != 0) return {RunEnd::Kind::Failed, s.code};
  return {RunEnd::Kind::Succeeded, 0};
}

void ToolWatcher::Run() {
  ConsoleCopy copy(options_.captureConsole ? options_.consoleCopyPath : std::string());
  copy_ = &copy;
  ConsoleLineSplitter splitter;
  std::vector<std::string> lines;
  std::string chunk;
  auto nextStep = std::chrono::steady_clock::now() + options_.pollInterval;
  bool ended = false;
  while (!stop_ && !ended) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        nextStep - std::chrono::steady_clock::now());
    const platform::Process::Events events =
        process_->WaitForOutputOrEnd(std::clamp(left, std::chrono::milliseconds(0), kWakeInterval));
    ended = events.ended;
    if (options_.captureConsole && events.output) {
      ReadConsole(chunk);
      splitter.Feed(chunk, lines);
      HandOn(lines);
    }
    Escalate();
    if (!ended && std::chrono::steady_clock::now() >= nextStep) {
      // A tool waiting for Enter goes on; a full or closed input is no error.
      if (options_.captureConsole && process_->BytesWaiting() == 0 &&
          process_->WriteInput("\r\n") == platform::WriteState::Failed) {
        Post([](WatcherListener& l) { l.OnPipeWarning("WriteFile"); });
      }
      Post([](WatcherListener& l) { l.OnProgressStep(); });
      nextStep = std::chrono::steady_clock::now() + options_.pollInterval;
    }
  }
  if (stop_) return;

  // What the tool wrote before it ended is all in the pipe now; a program it
  // left behind may keep the pipe open, so only what is there is read.
  if (options_.captureConsole) {
    for (int reads = 0; reads < 64 && process_->HasOutput(); ++reads) {
      ReadConsole(chunk);
      if (chunk.empty()) break;
      splitter.Feed(chunk, lines);
      HandOn(lines);
    }
    std::string last = splitter.TakePending();
    if (!last.empty()) lines.push_back(std::move(last));
    HandOn(lines);
    process_->CloseOutput();
    process_->CloseInput();
  }
  RunEnd end = EndOf(process_->TryWait());
  end.consoleCopied = copy.Finish();
  copy_ = nullptr;
  Post([](WatcherListener& l) { l.OnProgressStep(); });
  ui_.Post([shared = shared_, end, this] {
    if (!shared->alive) return;
    ended_ = true;
    shared->listener->OnRunEnded(end);
  });
}

}  // namespace korvane
