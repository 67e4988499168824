// The Windows half of platform/process.h: CreateProcessW with anonymous pipes,
// a job object for the program and everything it starts, and batch files handed
// to the command interpreter, which is the only program that can run them.
#ifdef _WIN32

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <thread>

#include "platform/ascii_case.h"
#include "platform/process.h"
#include "platform/win_text.h"
#include "platform/windows_args.h"

namespace platform {

namespace {

namespace fs = std::filesystem;

constexpr DWORD kPipeSize = 1 << 20;
constexpr DWORD kInputPipeSize = 1 << 16;
// The status of a program ended by Terminate or Kill: the one Windows gives a
// console program ended by Ctrl+C, so it reads as "interrupted", never as success.
constexpr DWORD kStoppedStatus = 0xC000013A;

HANDLE AsHandle(void* h) {
  return static_cast<HANDLE>(h);
}

void CloseH(void*& h) {
  if (h != nullptr && h != INVALID_HANDLE_VALUE) ::CloseHandle(static_cast<HANDLE>(h));
  h = nullptr;
}

// Closes what it holds on every return path of Start.
struct Handles {
  HANDLE h[8] = {};
  int n = 0;
  HANDLE Keep(HANDLE handle) {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) h[n++] = handle;
    return handle;
  }
  ~Handles() {
    for (int i = 0; i < n; ++i) ::CloseHandle(h[i]);
  }
};

bool IsBatchFile(const std::string& program) {
  if (program.size() <= 4) return false;
  const std::string tail = program.substr(program.size() - 4);
  return AsciiEqualNoCase(tail, ".cmd") || AsciiEqualNoCase(tail, ".bat");
}

bool HasSeparator(const std::string& path) {
  return path.find_first_of("\\/:") != std::string::npos;
}

// The program's full name: a relative path counts from the working folder, a
// bare name is looked up on PATH; ".exe" is added where the name has no
// extension, as the system does. Empty when there is no such file.
std::wstring ResolveProgram(const std::string& program, const std::string& workDir) {
  std::error_code ec;
  auto existing = [&](fs::path p) -> std::wstring {
    if (fs::is_regular_file(p, ec)) return p.wstring();
    if (!p.has_extension()) {
      p += ".exe";
      if (fs::is_regular_file(p, ec)) return p.wstring();
    }
    return {};
  };
  if (HasSeparator(program)) {
    fs::path path(Widen(program));
    if (path.is_relative() && !workDir.empty()) path = fs::path(Widen(workDir)) / path;
    return existing(path);
  }
  // A bare name: the working folder first, then PATH, as the command interpreter does.
  if (!workDir.empty()) {
    if (std::wstring found = existing(fs::path(Widen(workDir)) / Widen(program)); !found.empty()) {
      return found;
    }
  }
  const std::wstring name = Widen(program);
  wchar_t buffer[MAX_PATH * 4];
  const DWORD n = ::SearchPathW(nullptr, name.c_str(), L".exe", MAX_PATH * 4, buffer, nullptr);
  if (n == 0 || n >= MAX_PATH * 4) return {};
  return existing(fs::path(std::wstring(buffer, n)));
}

std::wstring SystemCommandInterpreter() {
  wchar_t dir[MAX_PATH];
  const UINT n = ::GetSystemDirectoryW(dir, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return L"C:\\Windows\\System32\\cmd.exe";
  return std::wstring(dir, n) + L"\\cmd.exe";
}

// The command interpreter reads its own syntax inside "/c": a batch file's
// arguments are quoted whole, and characters it would expand or act on even
// inside quotes are refused rather than passed to it.
bool SafeForInterpreter(const std::string& arg) {
  return arg.find_first_of("\"%\r\n") == std::string::npos;
}

std::string InterpreterArgument(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t&|<>^(),;=!") == std::string::npos) return arg;
  return "\"" + arg + "\"";
}

// A handle of this process made inheritable for one child; null when there is none.
HANDLE InheritableCopy(HANDLE source) {
  if (source == nullptr || source == INVALID_HANDLE_VALUE) return nullptr;
  HANDLE copy = nullptr;
  if (!::DuplicateHandle(::GetCurrentProcess(), source, ::GetCurrentProcess(), &copy, 0, TRUE,
                         DUPLICATE_SAME_ACCESS)) {
    return nullptr;
  }
  return copy;
}

HANDLE OpenNul(bool write) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  return ::CreateFileW(L"NUL", write ? GENERIC_WRITE : GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0, nullptr);
}

// Handles made inheritable are inherited by any program started meanwhile:
// starts are one at a time, and the handle list names the only ones this child gets.
std::mutex& StartMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

std::unique_ptr<Process> Process::Start(const ProcessOptions& options, int& error) {
  error = 0;
  if (options.argv.empty() || options.argv[0].empty()) {
    error = ERROR_FILE_NOT_FOUND;
    return nullptr;
  }
  if (!options.workDir.empty()) {
    std::error_code ec;
    if (!fs::is_directory(fs::path(Widen(options.workDir)), ec)) {
      error = ERROR_DIRECTORY;
      return nullptr;
    }
  }
  const std::wstring program = ResolveProgram(options.argv[0], options.workDir);
  if (program.empty()) {
    error = ERROR_FILE_NOT_FOUND;
    return nullptr;
  }

  std::wstring application;
  std::string commandLine;
  if (IsBatchFile(Narrow(program))) {
    for (std::size_t i = 1; i < options.argv.size(); ++i) {
      if (!SafeForInterpreter(options.argv[i])) {
        error = ERROR_BAD_ARGUMENTS;
        return nullptr;
      }
    }
    // /d: no AutoRun commands from the registry; /s: only the outer quotes are taken off.
    application = SystemCommandInterpreter();
    commandLine = "cmd.exe /d /s /c \"\"" + Narrow(program) + "\"";
    for (std::size_t i = 1; i < options.argv.size(); ++i) {
      commandLine += " " + InterpreterArgument(options.argv[i]);
    }
    commandLine += "\"";
  } else {
    application = program;
    for (std::size_t i = 0; i < options.argv.size(); ++i) {
      if (i > 0) commandLine += ' ';
      commandLine += QuoteWindowsArgument(options.argv[i]);
    }
  }

  Handles owned;
  HANDLE outRead = nullptr;
  HANDLE inWrite = nullptr;
  HANDLE childIn = nullptr;
  HANDLE childOut = nullptr;
  HANDLE childErr = nullptr;
  SECURITY_ATTRIBUTES noInherit{sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
  auto fail = [&](DWORD code) {
    error = static_cast<int>(code);
    if (outRead != nullptr) ::CloseHandle(outRead);
    if (inWrite != nullptr) ::CloseHandle(inWrite);
    return nullptr;
  };

  if (options.captureOutput) {
    HANDLE write = nullptr;
    if (!::CreatePipe(&outRead, &write, &noInherit, kPipeSize)) return fail(::GetLastError());
    childOut = owned.Keep(InheritableCopy(write));
    ::CloseHandle(write);
    if (childOut == nullptr) return fail(::GetLastError());
    childErr = options.mergeErrors ? childOut
                                   : owned.Keep(InheritableCopy(::GetStdHandle(STD_ERROR_HANDLE)));
  } else if (!options.outputFile.empty()) {
    fs::path file(Widen(options.outputFile));
    if (file.is_relative() && !options.workDir.empty()) {
      file = fs::path(Widen(options.workDir)) / file;
    }
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const DWORD access = options.appendOutput ? FILE_APPEND_DATA : GENERIC_WRITE;
    HANDLE out = ::CreateFileW(file.wstring().c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               &inherit, options.appendOutput ? OPEN_ALWAYS : CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return fail(::GetLastError());
    childOut = owned.Keep(out);
    childErr = owned.Keep(InheritableCopy(::GetStdHandle(STD_ERROR_HANDLE)));
  } else {
    childOut = owned.Keep(InheritableCopy(::GetStdHandle(STD_OUTPUT_HANDLE)));
    childErr = owned.Keep(InheritableCopy(::GetStdHandle(STD_ERROR_HANDLE)));
  }
  if (options.pipeInput) {
    HANDLE read = nullptr;
    if (!::CreatePipe(&read, &inWrite, &noInherit, kInputPipeSize)) return fail(::GetLastError());
    // A tool that never reads its input must not stall the writer once the pipe is full.
    DWORD mode = PIPE_READMODE_BYTE | PIPE_NOWAIT;
    ::SetNamedPipeHandleState(inWrite, &mode, nullptr, nullptr);
    childIn = owned.Keep(InheritableCopy(read));
    ::CloseHandle(read);
    if (childIn == nullptr) return fail(::GetLastError());
  } else if (options.captureOutput) {
    // A captured tool has no console to read from: it reads an empty input.
    childIn = owned.Keep(OpenNul(false));
  } else {
    childIn = owned.Keep(InheritableCopy(::GetStdHandle(STD_INPUT_HANDLE)));
  }
  if (childOut == nullptr) childOut = owned.Keep(OpenNul(true));
  if (childErr == nullptr) childErr = owned.Keep(OpenNul(true));
  if (childIn == nullptr) childIn = owned.Keep(OpenNul(false));

  HANDLE inherited[3] = {childIn, childOut, childErr};
  const int inheritedCount = childErr == childOut ? 2 : 3;
  SIZE_T attrSize = 0;
  ::InitializeProcThreadAttributeList(nullptr, 1, 0, &attrSize);
  std::vector<char> attrBuffer(attrSize);
  auto* attrs = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attrBuffer.data());
  const bool haveList =
      ::InitializeProcThreadAttributeList(attrs, 1, 0, &attrSize) &&
      ::UpdateProcThreadAttribute(attrs, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                  inheritedCount * sizeof(HANDLE), nullptr, nullptr);

  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = childIn;
  startup.StartupInfo.hStdOutput = childOut;
  startup.StartupInfo.hStdError = childErr;
  if (haveList) startup.lpAttributeList = attrs;

  DWORD flags = CREATE_UNICODE_ENVIRONMENT | CREATE_SUSPENDED;
  if (haveList) flags |= EXTENDED_STARTUPINFO_PRESENT;
  // A console tool gets no window of its own: its output goes to the pipes,
  // or to the console this program was started from.
  if (options.captureOutput || ::GetConsoleWindow() == nullptr) flags |= CREATE_NO_WINDOW;

  std::wstring wideLine = Widen(commandLine);
  const std::wstring workDir = Widen(options.workDir);
  PROCESS_INFORMATION info{};
  BOOL started;
  DWORD startError;
  {
    std::lock_guard<std::mutex> lock(StartMutex());
    started = ::CreateProcessW(application.c_str(), wideLine.data(), nullptr, nullptr, TRUE, flags,
                               nullptr, workDir.empty() ? nullptr : workDir.c_str(),
                               &startup.StartupInfo, &info);
    startError = ::GetLastError();
  }
  if (haveList) ::DeleteProcThreadAttributeList(attrs);
  if (!started) return fail(startError);

  std::unique_ptr<Process> process(new Process());
  process->pid_ = static_cast<long>(info.dwProcessId);
  process->processHandle_ = info.hProcess;
  process->ownGroup_ = options.ownProcessGroup;
  process->outPipe_ = outRead;
  process->inPipe_ = inWrite;
  if (options.ownProcessGroup) {
    // Assigned before the program runs a single instruction, so nothing it
    // starts can escape the job.
    HANDLE job = ::CreateJobObjectW(nullptr, nullptr);
    if (job != nullptr && ::AssignProcessToJobObject(job, info.hProcess)) {
      process->jobHandle_ = job;
    } else if (job != nullptr) {
      ::CloseHandle(job);
    }
  }
  ::ResumeThread(info.hThread);
  ::CloseHandle(info.hThread);
  return process;
}

Process::~Process() {
  CloseH(outPipe_);
  CloseH(inPipe_);
  if (!status_) TryWait();
  CloseH(jobHandle_);
  CloseH(processHandle_);
}

bool Process::HasOutput() const {
  return outPipe_ != nullptr;
}

std::size_t Process::BytesWaiting() const {
  DWORD available = 0;
  if (outPipe_ == nullptr ||
      !::PeekNamedPipe(AsHandle(outPipe_), nullptr, 0, nullptr, &available, nullptr)) {
    return 0;
  }
  return available;
}

ReadState Process::ReadAvailable(std::string& out, std::size_t max, int* error) {
  if (outPipe_ == nullptr) return ReadState::Closed;
  std::size_t total = 0;
  // A broken pipe is the end of the output; any other error is a failure. What was
  // read before either still counts.
  auto ended = [&](DWORD code) {
    if (code == ERROR_BROKEN_PIPE) {
      CloseH(outPipe_);
      return total > 0 ? ReadState::Data : ReadState::Closed;
    }
    if (error != nullptr) *error = static_cast<int>(code);
    return total > 0 ? ReadState::Data : ReadState::Failed;
  };
  while (total < max) {
    DWORD available = 0;
    if (!::PeekNamedPipe(AsHandle(outPipe_), nullptr, 0, nullptr, &available, nullptr)) {
      return ended(::GetLastError());
    }
    if (available == 0) break;
    // Never more than is waiting: a read of an anonymous pipe blocks otherwise.
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>({max - total, available, 65536}));
    const std::size_t start = out.size();
    out.resize(start + want);
    DWORD got = 0;
    const BOOL ok = ::ReadFile(AsHandle(outPipe_), out.data() + start, want, &got, nullptr);
    out.resize(start + got);
    total += got;
    if (!ok) return ended(::GetLastError());
  }
  return total > 0 ? ReadState::Data : ReadState::Nothing;
}

WriteState Process::WriteInput(std::string_view data, int* error) {
  if (inPipe_ == nullptr) return WriteState::Closed;
  if (TryWait()) return WriteState::Closed;
  // The pipe does not wait: a full one takes nothing, and what a person types
  // at once is far below its size, so a write is whole or not at all.
  DWORD written = 0;
  if (::WriteFile(AsHandle(inPipe_), data.data(), static_cast<DWORD>(data.size()), &written,
                  nullptr)) {
    return written == 0 && !data.empty() ? WriteState::Full : WriteState::Written;
  }
  const DWORD code = ::GetLastError();
  if (code == ERROR_BROKEN_PIPE || code == ERROR_NO_DATA) return WriteState::Closed;
  if (error != nullptr) *error = static_cast<int>(code);
  return WriteState::Failed;
}

void Process::CloseInput() {
  CloseH(inPipe_);
}
void Process::CloseOutput() {
  CloseH(outPipe_);
}

std::optional<ExitStatus> Process::TryWait() {
  if (status_ || processHandle_ == nullptr) return status_;
  if (::WaitForSingleObject(AsHandle(processHandle_), 0) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  if (!::GetExitCodeProcess(AsHandle(processHandle_), &code)) code = 255;
  status_ = ExitStatus{ExitStatus::Kind::Exited, static_cast<int>(code)};
  return status_;
}

std::optional<ExitStatus> Process::WaitFor(std::chrono::milliseconds timeout) {
  if (status_ || processHandle_ == nullptr) return status_;
  const DWORD wait = timeout.count() < 0 ? INFINITE : static_cast<DWORD>(timeout.count());
  ::WaitForSingleObject(AsHandle(processHandle_), wait);
  return TryWait();
}

Process::Events Process::WaitForOutputOrEnd(std::chrono::milliseconds timeout) {
  Events events;
  // An anonymous pipe cannot be waited on: the program's end is, in short
  // steps, with a look at the pipe between them.
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  auto outputOrClosed = [this] {
    if (outPipe_ == nullptr) return false;
    DWORD available = 0;
    if (!::PeekNamedPipe(AsHandle(outPipe_), nullptr, 0, nullptr, &available, nullptr)) return true;
    return available > 0;
  };
  for (;;) {
    events.output = outputOrClosed();
    events.ended = TryWait().has_value();
    if (events.output || events.ended) return events;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return events;
    const DWORD step = static_cast<DWORD>(std::min<long long>(left.count(), 5));
    if (processHandle_ != nullptr) {
      ::WaitForSingleObject(AsHandle(processHandle_), step);
    } else {
      ::Sleep(step);
    }
  }
}

void Process::Signal(int) {
  if (TryWait() || processHandle_ == nullptr) return;
  if (jobHandle_ != nullptr) {
    ::TerminateJobObject(AsHandle(jobHandle_), kStoppedStatus);
  } else {
    ::TerminateProcess(AsHandle(processHandle_), kStoppedStatus);
  }
}

void Process::Terminate() {
  Signal(0);
}
void Process::Kill() {
  Signal(0);
}

}  // namespace platform

#endif
