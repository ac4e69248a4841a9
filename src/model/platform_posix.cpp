#include "model/platform.h"

#include "model/gbk.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <iconv.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace platform {
namespace {

FileFault faultOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR: return FileFault::notFound;
    case EACCES:
    case EPERM: return FileFault::noPermission;
    case EROFS: return FileFault::readOnlyFileSystem;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return FileFault::diskFull;
    case EISDIR: return FileFault::isFolder;
    case EPIPE: return FileFault::outputClosed;
    default: return FileFault::other;
    }
}

// The system's reason in Chinese, as every other sentence of the program;
// the system's own words, with the number, only for the rarest ones.
std::string reasonOf(int error)
{
    switch (error) {
    case ELOOP: return "符号链接的层数过多（可能是循环链接）";
    case EBADF: return "文件描述符无效";
    case ENAMETOOLONG: return "文件名过长";
    case EMFILE:
    case ENFILE: return "打开的文件过多";
    case EIO: return "输入/输出错误（磁盘或网络故障）";
    case EBUSY: return "设备或资源正忙";
    case ETXTBSY: return "文件正在被程序使用";
    case EXDEV: return "不能跨文件系统移动文件";
    case ENXIO:
    case ENODEV: return "设备不存在";
    case EINVAL: return "参数无效（文件系统不支持此操作）";
    case ENOMEM: return "内存不足";
    case EAGAIN: return "资源暂时不可用";
    case EINTR: return "操作被中断";
    case EEXIST: return "文件已存在";
    case ENOTEMPTY: return "文件夹不是空的";
    case ESPIPE: return "不能在管道中定位";
    case EOVERFLOW: return "文件过大，无法处理";
    case ESTALE: return "网络文件句柄已失效";
    case ETIMEDOUT: return "操作超时";
    default: return "系统错误（错误码" + std::to_string(error) + "：" + std::strerror(error) + "）";
    }
}

FileOutcome failed(int error) { return {faultOf(error), reasonOf(error)}; }
FileOutcome failed(FileFault fault) { return {fault, {}}; }

FileFault faultOfType(mode_t mode)
{
    if (S_ISDIR(mode))
        return FileFault::isFolder;
    return S_ISREG(mode) ? FileFault::none : FileFault::notRegularFile;
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

// ---- reading ----

bool readFully(int fd, std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;  // the file shrank since it was measured
        done += static_cast<size_t>(n);
    }
    bytes.resize(done);
    return true;
}

// ---- replacing ----

std::string folderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a chain of symbolic links at path ends in; the path itself when
// it is no link. The end need not exist: saving creates it.
std::optional<std::string> followLinks(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length < 0 || static_cast<size_t>(length) == sizeof target)
            return std::nullopt;
        const std::string link(target, static_cast<size_t>(length));
        path = link.front() == '/' ? link : folderOf(path) + "/" + link;
    }
    return std::nullopt;
}

// Permissions and ownership the new file takes over from the file it replaces.
struct Replaced {
    bool exists = false;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
};

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// access() lets the superuser write anything; a file without any write
// permission was still made read-only on purpose.
FileFault writeFault(const std::string& path, const struct stat& info)
{
    if ((info.st_mode & 0222) == 0)
        return FileFault::readOnlyFile;
    if (::access(path.c_str(), W_OK) == 0)
        return FileFault::none;
    return errno == EROFS ? FileFault::readOnlyFileSystem : FileFault::readOnlyFile;
}

FileOutcome inspectTarget(const std::string& path, Replaced& replaced)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno != ENOENT)
            return failed(errno);
        replaced.mode = newFileMode();
        return {};
    }
    if (const FileFault fault = faultOfType(info.st_mode); fault != FileFault::none)
        return failed(fault);
    if (const FileFault fault = writeFault(path, info); fault != FileFault::none)
        return failed(fault);
    replaced = {true, info.st_mode & 07777, info.st_uid, info.st_gid};
    return {};
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

bool takeOver(int fd, const Replaced& replaced)
{
    // Owner first: changing it may clear set-user-ID bits that fchmod restores.
    if (replaced.exists && ::fchown(fd, replaced.owner, replaced.group) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), replaced.group);  // where only the group may be set
    return ::fchmod(fd, replaced.mode) == 0;
}

// A temporary file of the folder: unnamed where the file system allows
// (nothing is left behind by a crash), else under a short name of its own.
struct Temporary {
    int fd = -1;
    std::string name;  // empty while unnamed
};

// Temporary names carry the machine and the process that made them, so that
// a later save can tell those of killed saves: ".orvane-HOST-PID-N".
std::string temporaryPrefix()
{
    char host[16] = {};
    ::gethostname(host, sizeof host - 1);
    return ".orvane-" + std::string(host) + "-";
}

std::string temporaryName(int attempt)
{
    return temporaryPrefix() + std::to_string(::getpid()) + "-" + std::to_string(attempt);
}

// Removes the temporary files this machine's killed saves left in the folder.
void removeAbandonedTemporaries(int folder)
{
    const int listed = ::dup(folder);
    DIR* entries = listed >= 0 ? ::fdopendir(listed) : nullptr;
    if (!entries)
        return;
    const std::string prefix = temporaryPrefix();
    while (const dirent* entry = ::readdir(entries)) {
        const std::string_view name = entry->d_name;
        if (name.substr(0, prefix.size()) != prefix)
            continue;
        const long pid = std::strtol(entry->d_name + prefix.size(), nullptr, 10);
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(entries);
}

// Creates (fd < 0) or links (fd >= 0) a temporary file under a free name.
Temporary placeUnderFreeName(int folder, int fd)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = temporaryName(attempt);
        if (fd >= 0 && ::linkat(AT_FDCWD, self.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return {fd, name};
        if (fd < 0) {
            const int created = ::openat(folder, name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
            if (created >= 0)
                return {created, name};
        }
        if (errno != EEXIST)
            break;
    }
    return {fd, {}};
}

Temporary createTemporary(int folder)
{
    removeAbandonedTemporaries(folder);
#ifdef O_TMPFILE
    const int unnamed = ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (unnamed >= 0)
        return {unnamed, {}};
#endif
    return placeUnderFreeName(folder, -1);
}

// Gives an unnamed temporary file a name, so that it can be renamed over the
// target.
bool nameTemporary(Temporary& temporary, int folder)
{
    if (temporary.name.empty())
        temporary = placeUnderFreeName(folder, temporary.fd);
    return !temporary.name.empty();
}

FileOutcome writeAndRename(Temporary& temporary, int folder, const std::string& name,
                           std::string_view bytes, const Replaced& replaced)
{
    if (!takeOver(temporary.fd, replaced) || !writeAll(temporary.fd, bytes) || ::fsync(temporary.fd) != 0)
        return failed(errno);
    if (!nameTemporary(temporary, folder))
        return failed(errno);
    if (::renameat(folder, temporary.name.c_str(), folder, name.c_str()) != 0)
        return failed(errno);
    temporary.name.clear();
    // The rename is durable only once the folder itself is on disk.
    if (::fsync(folder) != 0 && errno != EINVAL)
        return failed(errno);
    return {};
}

}  // namespace

FileOutcome readRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes)
{
    // Non-blocking, so that opening a pipe without a writer returns at once.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.valid())
        return failed(errno);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return failed(errno);
    if (const FileFault fault = faultOfType(info.st_mode); fault != FileFault::none)
        return failed(fault);
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > maxBytes)
        return {FileFault::tooLarge, {}, size};
    bytes.resize(static_cast<size_t>(size));
    if (!readFully(file.get(), bytes))
        return failed(errno);
    return {};
}

FileOutcome replaceFile(const std::string& path, std::string_view bytes)
{
    const std::optional<std::string> target = followLinks(path);
    if (!target)
        return failed(ELOOP);
    Replaced replaced;
    if (FileOutcome inspected = inspectTarget(*target, replaced); !inspected.ok())
        return inspected;
    const std::string folderPath = folderOf(*target);
    const Descriptor folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid())
        return failed(errno);
    Temporary temporary = createTemporary(folder.get());
    if (temporary.fd < 0)
        return failed(errno);
    const Descriptor written(temporary.fd);
    const FileOutcome outcome = writeAndRename(temporary, folder.get(), nameOf(*target), bytes, replaced);
    if (!temporary.name.empty())
        ::unlinkat(folder.get(), temporary.name.c_str(), 0);
    return outcome;
}

bool isSameFile(const std::string& first, const std::string& second)
{
    struct stat a {}, b {};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 && a.st_dev == b.st_dev
           && a.st_ino == b.st_ino;
}

std::tm localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return local;
}

double processorSeconds()
{
    timespec used{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) * 1e-9;
}

// Terminals, files and pipes take the UTF-8 bytes as they are.
FileOutcome writeStandardOutput(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return failed(errno);
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return {};
}

// A closed pipe makes a write fail with EPIPE, so the calculator can say so
// and stop, instead of being ended by the signal without a word.
std::vector<std::string> startConsoleProgram(int argc, char** argv)
{
    ::signal(SIGPIPE, SIG_IGN);
    return {argv, argv + argc};
}

}  // namespace platform

namespace {

// maxGrowth: the most output bytes one input byte can need.
std::optional<std::string> convert(const char* to, const char* from, std::string_view text, size_t maxGrowth)
{
    iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::unique_ptr<void, int (*)(iconv_t)> closer(cd, ::iconv_close);
    std::string out(text.size() * maxGrowth, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    if (::iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

// GBK never needs more bytes than UTF-8 for the same text; UTF-8 needs at
// most three bytes for one GBK byte (the euro sign of code page 936).
std::optional<std::string> utf8ToGbk(std::string_view utf8) { return convert("GBK", "UTF-8", utf8, 1); }

std::optional<std::string> gbkToUtf8(std::string_view gbk) { return convert("UTF-8", "GBK", gbk, 3); }
