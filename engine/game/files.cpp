// Safe reading, replacing, moving aside and locking of the program's files.
#include "game/files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <random>
#include <thread>

namespace vornak {

namespace fs = std::filesystem;

namespace {

// A file descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    void reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // Closes now and tells whether the close succeeded (a delayed write
    // error shows here on some file systems).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

int syncRetrying(int fd) {
    int result;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result;
}

// The folder of a path and the name in it ("." for a bare name).
fs::path folderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// Six letters or digits that make a temporary name unlikely to be taken
// (the name is created exclusively all the same).
std::string randomTag() {
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static std::atomic<unsigned> counter{0};
    std::seed_seq seed{
        static_cast<unsigned>(::getpid()), counter.fetch_add(1),
        static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())};
    std::mt19937 generator(seed);
    std::string tag;
    for (int i = 0; i < 6; ++i) tag += kChars[generator() % (sizeof kChars - 1)];
    return tag;
}

}  // namespace

FileText readSmallFile(const std::string& path, std::size_t maxBytes) {
    FileText result;
    if (path.empty()) return result;

    // Looked at before it is opened: opening a pipe waits for a writer, and
    // opening a device may do anything.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        result.error = errno;
        struct stat link {};
        const bool nothingThere =
            (errno == ENOENT || errno == ENOTDIR) && ::lstat(path.c_str(), &link) != 0;
        if (!nothingThere) result.state = FileText::State::Unreadable;
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.state = FileText::State::Unreadable;
        result.error = S_ISDIR(info.st_mode) ? EISDIR : ENXIO;
        return result;
    }

    // Something else may have taken its place since: opened without
    // blocking and looked at again.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.ok()) {
        result.error = errno;
        if (errno != ENOENT) result.state = FileText::State::Unreadable;
        return result;
    }
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        result.error = S_ISREG(info.st_mode) ? errno : ENXIO;
        result.state = FileText::State::Unreadable;
        return result;
    }

    // One byte more than asked for tells whether the file is longer. The
    // buffer follows the file's size, which may change while it is read.
    const std::size_t wanted = maxBytes + 1;
    std::string text;
    std::size_t got = 0;
    while (got < wanted) {
        if (text.size() == got) {
            const auto size = static_cast<std::size_t>(std::max<off_t>(info.st_size, 0));
            text.resize(std::min(wanted, std::max(got + 4096, size + 1)));
        }
        const ssize_t n = ::read(fd.get(), text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            result.error = errno;
            result.state = FileText::State::Unreadable;
            return result;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    result.complete = got <= maxBytes;
    text.resize(std::min(got, maxBytes));
    result.text = std::move(text);
    result.state = FileText::State::Read;
    return result;
}

bool replaceFile(const std::string& path, std::string_view text) {
    const fs::path target(path);
    const std::string name = target.filename().string();
    if (name.empty() || name == "." || name == "..") return false;
    const fs::path folder = folderOf(target);
    std::error_code ec;
    fs::create_directories(folder, ec);
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.ok()) return false;

    // A new file of our own: created exclusively, so that nothing planted
    // under the temporary name (a link above all) is ever written through.
    std::string temp;
    Descriptor out;
    for (int tries = 0; tries < 100 && !out.ok(); ++tries) {
        temp = name + ".tmp-" + randomTag();
        out.reset(::openat(dir.get(), temp.c_str(),
                           O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!out.ok() && errno != EEXIST) return false;
    }
    if (!out.ok()) return false;

    struct stat old {};
    bool ok = true;
    if (::fstatat(dir.get(), name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode))
        ok = ::fchmod(out.get(), old.st_mode & 07777) == 0;
    ok = ok && writeAll(out.get(), text);
    ok = ok && syncRetrying(out.get()) == 0;
    ok = out.close() && ok;
    ok = ok && ::renameat(dir.get(), temp.c_str(), dir.get(), name.c_str()) == 0;
    if (!ok) {
        ::unlinkat(dir.get(), temp.c_str(), 0);
        return false;
    }
    // The new name itself reaches the disk. A file system that cannot flush
    // a folder says so with EINVAL; the file is in place all the same.
    return syncRetrying(dir.get()) == 0 || errno == EINVAL;
}

std::string moveAside(const std::string& path) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char stamp[32] = "";
    if (::localtime_r(&now, &local)) std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &local);
    const std::string base = path + ".unreadable-" + stamp;

    for (int n = 1; n <= 100; ++n) {
        const std::string aside = n == 1 ? base : base + "-" + std::to_string(n);
        int moved = ::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE);
        if (moved != 0 && (errno == EINVAL || errno == ENOSYS)) {
            // A file system without the no-replace rename: look first.
            struct stat taken {};
            if (::lstat(aside.c_str(), &taken) == 0) {
                errno = EEXIST;
            } else {
                moved = ::rename(path.c_str(), aside.c_str());
            }
        }
        if (moved == 0) {
            Descriptor dir(
                ::open(folderOf(fs::path(path)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            if (dir.ok()) syncRetrying(dir.get());
            return aside;
        }
        if (errno != EEXIST) return {};
    }
    return {};
}

FileLock::FileLock(const std::string& path, std::chrono::milliseconds patience) {
    if (path.empty()) return;
    std::error_code ec;
    fs::create_directories(folderOf(fs::path(path)), ec);
    Descriptor fd(::open(path.c_str(),
                         O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
    struct stat info {};
    if (!fd.ok() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return;

    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd.release();
            break;
        }
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_);  // closing lets the lock go
}

FileKeeper::~FileKeeper() {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !pending_ && !busy_; });
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void FileKeeper::replace(std::string text) {
    {
        std::lock_guard lock(mutex_);
        // A save is never empty; an empty text stands for the removal.
        if (text.empty()) text.push_back('\n');
        pending_ = std::move(text);
        if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
    }
    changed_.notify_all();
}

void FileKeeper::remove() {
    {
        std::lock_guard lock(mutex_);
        pending_ = std::string();
        if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
    }
    changed_.notify_all();
}

void FileKeeper::finish() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !pending_ && !busy_; });
}

long FileKeeper::replaced() const {
    std::lock_guard lock(mutex_);
    return replaced_;
}

bool FileKeeper::lastSucceeded() const {
    std::lock_guard lock(mutex_);
    return lastOk_;
}

void FileKeeper::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_) return;  // stopping, nothing left
        const std::string job = std::move(*pending_);
        pending_.reset();
        busy_ = true;
        lock.unlock();
        bool ok = true;
        if (job.empty())
            ::unlink(path_.c_str());  // not remove(): a folder under the name stays
        else
            ok = replaceFile(path_, job);
        lock.lock();
        busy_ = false;
        if (!job.empty()) {
            lastOk_ = ok;
            if (ok) ++replaced_;
        }
        changed_.notify_all();
    }
}

}  // namespace vornak
