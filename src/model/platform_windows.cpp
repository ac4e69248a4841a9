#include "model/platform.h"

#include "model/gbk.h"
#include "model/platform_windows_text.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cwctype>
#include <tuple>

namespace platform {

// ---- text ----

std::optional<std::wstring> toWide(UINT codePage, std::string_view text, DWORD flags)
{
    if (text.empty())
        return std::wstring();
    if (text.size() > INT_MAX)
        return std::nullopt;
    const int length = static_cast<int>(text.size());
    const int count = ::MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
    if (count == 0)
        return std::nullopt;
    std::wstring wide(static_cast<size_t>(count), L'\0');
    ::MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), count);
    return wide;
}

std::optional<std::string> fromWide(UINT codePage, std::wstring_view text)
{
    if (text.empty())
        return std::string();
    if (text.size() > INT_MAX)
        return std::nullopt;
    const int length = static_cast<int>(text.size());
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL defaultUsed = FALSE;
    BOOL* substituted = utf8 ? nullptr : &defaultUsed;
    const int count = ::WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, substituted);
    if (count == 0 || defaultUsed)
        return std::nullopt;
    std::string narrow(static_cast<size_t>(count), '\0');
    ::WideCharToMultiByte(codePage, flags, text.data(), length, narrow.data(), count, nullptr, nullptr);
    return narrow;
}

namespace {

constexpr UINT kGbkCodePage = 936;

// Code page 936 maps its user-defined areas to private-use characters, which
// mean nothing on another machine; GBK as the C library knows it has none.
bool hasPrivateUse(std::wstring_view text)
{
    return std::any_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0xE000 && c <= 0xF8FF; });
}

// Text from one code page to another; nothing when it does not convert
// exactly.
std::optional<std::string> recode(UINT from, UINT to, std::string_view text)
{
    const std::optional<std::wstring> wide = toWide(from, text);
    return wide && !hasPrivateUse(*wide) ? fromWide(to, *wide) : std::nullopt;
}

// ---- faults ----

FileFault faultOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return FileFault::notFound;
    case ERROR_ACCESS_DENIED: return FileFault::noPermission;
    case ERROR_WRITE_PROTECT: return FileFault::readOnlyFileSystem;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE: return FileFault::diskFull;
    case ERROR_DIRECTORY: return FileFault::isFolder;
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA: return FileFault::outputClosed;
    default: return FileFault::other;
    }
}

std::string systemText(DWORD error)
{
    wchar_t* message = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    std::wstring text(message ? message : L"", length);
    ::LocalFree(message);
    while (!text.empty() && (std::iswspace(text.back()) || text.back() == L'.'))
        text.pop_back();
    if (text.empty())
        return "error " + std::to_string(error);
    return fromWide(CP_UTF8, text).value_or("error " + std::to_string(error));
}

FileOutcome failed(DWORD error) { return {faultOf(error), systemText(error)}; }
FileOutcome failed(FileFault fault) { return {fault, {}}; }

}  // namespace

FileOutcome lastError() { return failed(::GetLastError()); }

namespace {

// Closes a handle when it goes out of scope.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { close(); }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool close()
    {
        const bool closed = !valid() || ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens the file at path, at the end of any link chain; folders too.
HANDLE openExisting(const std::wstring& path, DWORD access)
{
    return ::CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// ---- paths ----

// The absolute UTF-16 path of a UTF-8 path, in the \\?\ form that lifts the
// 260-character limit; nothing (with the reason as the last error) when the
// text is no valid UTF-8.
std::optional<std::wstring> systemPath(const std::string& path)
{
    const std::optional<std::wstring> wide = toWide(CP_UTF8, path);
    if (!wide || wide->empty()) {
        ::SetLastError(wide ? ERROR_PATH_NOT_FOUND : ERROR_NO_UNICODE_TRANSLATION);
        return std::nullopt;
    }
    const DWORD size = ::GetFullPathNameW(wide->c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return std::nullopt;
    std::wstring full(size, L'\0');
    full.resize(::GetFullPathNameW(wide->c_str(), size, full.data(), nullptr));
    if (full.rfind(LR"(\\?\)", 0) == 0 || full.rfind(LR"(\\.\)", 0) == 0)
        return full;
    if (full.rfind(LR"(\\)", 0) == 0)
        return LR"(\\?\UNC\)" + full.substr(2);
    return LR"(\\?\)" + full;
}

// The path a handle's file ends at, after every symbolic link and junction.
std::optional<std::wstring> finalPath(HANDLE file)
{
    constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()), kFlags);
        if (length == 0)
            return std::nullopt;
        const bool complete = length < path.size();
        path.resize(length);
        if (complete)
            return path;
    }
}

std::wstring folderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

FileFault faultOfType(HANDLE file, const BY_HANDLE_FILE_INFORMATION& info)
{
    if (::GetFileType(file) != FILE_TYPE_DISK)
        return FileFault::notRegularFile;
    return info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? FileFault::isFolder : FileFault::none;
}

// ---- reading ----

bool readFully(HANDLE file, std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD wanted = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD read = 0;
        if (!::ReadFile(file, bytes.data() + done, wanted, &read, nullptr))
            return false;
        if (read == 0)
            break;  // the file shrank since it was measured
        done += read;
    }
    bytes.resize(done);
    return true;
}

// ---- replacing ----

// What the new file takes over from the file it replaces.
struct Replaced {
    std::wstring path;  // where the new file goes: the end of any link chain
    bool exists = false;
    DWORD attributes = 0;
    FILETIME created{};
};

// Attributes that describe the document rather than its contents; the
// archive mark is set because the contents change.
DWORD keptAttributes(DWORD attributes)
{
    return (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED))
           | FILE_ATTRIBUTE_ARCHIVE;
}

// A file the user may not write: marked read-only, or denied by its access
// rules. A file another program holds open without sharing is reported as such.
FileOutcome writeAccess(const std::wstring& path, DWORD attributes)
{
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return failed(FileFault::readOnlyFile);
    const Handle writable(::CreateFileW(path.c_str(), FILE_WRITE_DATA, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    if (writable.valid())
        return {};
    const DWORD error = ::GetLastError();
    return error == ERROR_ACCESS_DENIED ? failed(FileFault::readOnlyFile) : failed(error);
}

// A symbolic link or junction at path itself; folders on the way may be
// links too, which the rename passes through as the open did.
bool isLink(const std::wstring& path)
{
    const DWORD own = ::GetFileAttributesW(path.c_str());  // of the link, not of its end
    return own != INVALID_FILE_ATTRIBUTES && (own & FILE_ATTRIBUTE_REPARSE_POINT);
}

FileOutcome inspectTarget(const std::wstring& path, Replaced& replaced)
{
    const Handle target(openExisting(path, FILE_READ_ATTRIBUTES));
    if (!target.valid()) {
        if (::GetLastError() != ERROR_FILE_NOT_FOUND)
            return lastError();
        // A link to nothing is not replaced by a file of its own name.
        if (isLink(path))
            return failed(FileFault::notRegularFile);
        replaced.path = path;
        return {};
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(target.get(), &info))
        return lastError();
    if (const FileFault fault = faultOfType(target.get(), info); fault != FileFault::none)
        return failed(fault);
    const std::optional<std::wstring> end = isLink(path) ? finalPath(target.get()) : path;
    if (!end)
        return lastError();
    if (FileOutcome access = writeAccess(*end, info.dwFileAttributes); !access.ok())
        return access;
    replaced = {*end, true, info.dwFileAttributes, info.ftCreationTime};
    return {};
}

// A new file under a short name of our own in the folder, so that a target
// name of any allowed length can be saved to.
struct Temporary {
    HANDLE handle = INVALID_HANDLE_VALUE;
    std::wstring path;
};

Temporary createTemporary(const std::wstring& folder)
{
    const std::wstring prefix = folder + L"\\.orvane-" + std::to_wstring(::GetCurrentProcessId()) + L"-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring path = prefix + std::to_wstring(attempt);
        const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE)
            return {handle, std::move(path)};
        if (::GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    return {};
}

bool writeAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool takeOver(HANDLE file, const Replaced& replaced)
{
    if (!replaced.exists)
        return true;
    FILE_BASIC_INFO basic{};
    basic.CreationTime.LowPart = replaced.created.dwLowDateTime;
    basic.CreationTime.HighPart = static_cast<LONG>(replaced.created.dwHighDateTime);
    basic.FileAttributes = keptAttributes(replaced.attributes);
    return ::SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic);
}

FileOutcome writeAndMove(Temporary& temporary, const Replaced& replaced, std::string_view bytes)
{
    Handle file(temporary.handle);
    if (!writeAll(file.get(), bytes) || !takeOver(file.get(), replaced) || !::FlushFileBuffers(file.get()))
        return lastError();
    if (!file.close())
        return lastError();
    // Same folder, so the rename is atomic; WRITE_THROUGH returns once it is on disk.
    if (!::MoveFileExW(temporary.path.c_str(), replaced.path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return lastError();
    temporary.path.clear();
    return {};
}

}  // namespace

FileOutcome readRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes)
{
    const std::optional<std::wstring> name = systemPath(path);
    if (!name)
        return lastError();
    const Handle file(openExisting(*name, GENERIC_READ));
    if (!file.valid())
        return lastError();
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file.get(), &info))
        return lastError();
    if (const FileFault fault = faultOfType(file.get(), info); fault != FileFault::none)
        return failed(fault);
    const std::uint64_t size = std::uint64_t{info.nFileSizeHigh} << 32 | info.nFileSizeLow;
    if (size > maxBytes)
        return {FileFault::tooLarge, {}, size};
    bytes.resize(static_cast<size_t>(size));
    if (!readFully(file.get(), bytes))
        return lastError();
    return {};
}

FileOutcome replaceFile(const std::string& path, std::string_view bytes)
{
    const std::optional<std::wstring> name = systemPath(path);
    if (!name)
        return lastError();
    Replaced replaced;
    if (FileOutcome inspected = inspectTarget(*name, replaced); !inspected.ok())
        return inspected;
    Temporary temporary = createTemporary(folderOf(replaced.path));
    if (temporary.handle == INVALID_HANDLE_VALUE)
        return lastError();
    const FileOutcome outcome = writeAndMove(temporary, replaced, bytes);
    if (!temporary.path.empty())
        ::DeleteFileW(temporary.path.c_str());
    return outcome;
}

namespace {

// The volume and the index of the file a path ends at.
std::optional<std::tuple<DWORD, DWORD, DWORD>> fileIdentity(const std::string& path)
{
    const std::optional<std::wstring> name = systemPath(path);
    const Handle file(name ? openExisting(*name, 0) : INVALID_HANDLE_VALUE);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.valid() || !::GetFileInformationByHandle(file.get(), &info))
        return std::nullopt;
    return std::tuple{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

}  // namespace

bool isSameFile(const std::string& first, const std::string& second)
{
    const auto identity = fileIdentity(first);
    return identity && identity == fileIdentity(second);
}

std::tm localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_s(&local, &now);
    return local;
}

double processorSeconds()
{
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    const auto ticks = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) * 1e-7;  // 100 ns ticks
}

}  // namespace platform

std::optional<std::string> utf8ToGbk(std::string_view utf8)
{
    return platform::recode(CP_UTF8, platform::kGbkCodePage, utf8);
}

std::optional<std::string> gbkToUtf8(std::string_view gbk)
{
    return platform::recode(platform::kGbkCodePage, CP_UTF8, gbk);
}
