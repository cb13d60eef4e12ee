#include "platform/windows/SendInputInjectorTarget.h"

#include <optional>
#include <vector>

#include "platform/windows/Win32Text.h"

namespace qv {

namespace {

// Closes a handle when it goes.
class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  ~OwnedHandle() {
    if (handle_ != nullptr) {
      static_cast<void>(CloseHandle(handle_));
    }
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  [[nodiscard]] HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

std::optional<DWORD> integrityLevel(HANDLE process) {
  HANDLE token = nullptr;
  if (OpenProcessToken(process, TOKEN_QUERY, &token) == FALSE) {
    return std::nullopt;
  }
  const OwnedHandle owned(token);
  DWORD size = 0;
  static_cast<void>(GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size));
  if (size < sizeof(TOKEN_MANDATORY_LABEL)) {
    return std::nullopt;
  }
  std::vector<unsigned char> label(size);
  if (GetTokenInformation(token, TokenIntegrityLevel, label.data(), size, &size) == FALSE) {
    return std::nullopt;
  }
  const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(label.data())->Label.Sid;
  const UCHAR parts = *GetSidSubAuthorityCount(sid);
  if (parts == 0) {
    return std::nullopt;
  }
  return *GetSidSubAuthority(sid, parts - 1U);
}

// The file name of the program, "the program in front" when it cannot be read.
std::string programName(HANDLE process) {
  std::vector<wchar_t> path(MAX_PATH);
  auto length = static_cast<DWORD>(path.size());
  if (QueryFullProcessImageNameW(process, 0, path.data(), &length) == FALSE) {
    return "the program in front";
  }
  const std::wstring_view full(path.data(), length);
  const auto slash = full.find_last_of(L"\\/");
  const std::wstring_view file = slash == std::wstring_view::npos ? full : full.substr(slash + 1);
  return narrow(file);
}

}  // namespace

std::string integrityProblem(DWORD ownLevel, DWORD targetLevel, const std::string& program) {
  if (targetLevel <= ownLevel) {
    return {};
  }
  return "Keystrokes cannot reach " + program +
         ": it runs as administrator and Quorvane does not, and Windows keeps keystrokes "
         "from such a program. Start both as administrator or neither.";
}

std::string focusedProgramRefusingKeystrokes() {
  const HWND focused = GetForegroundWindow();
  DWORD processId = 0;
  if (focused == nullptr || GetWindowThreadProcessId(focused, &processId) == 0 ||
      processId == GetCurrentProcessId()) {
    return {};
  }
  const OwnedHandle target(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (target.get() == nullptr) {
    return {};
  }
  const std::optional<DWORD> own = integrityLevel(GetCurrentProcess());
  const std::optional<DWORD> theirs = integrityLevel(target.get());
  if (!own || !theirs) {
    return {};
  }
  return integrityProblem(*own, *theirs, programName(target.get()));
}

}  // namespace qv
