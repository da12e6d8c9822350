// The program's own small files (the records and the skin list), read and
// written so that nothing at their paths can hang the game or be lost: only
// regular files are opened, never blocking; a file is replaced whole through
// a new file of its own; a lock keeps two copies of the program from
// interleaving a read and a write.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace vornak {

struct FileText {
    enum class State {
        Missing,     // nothing at the path
        Read,        // a regular file, read
        Unreadable,  // something is there that could not be read
    };
    State state = State::Missing;
    std::string text;      // Read: the file's first bytes, at most as many as asked for
    bool complete = true;  // Read: false when the file holds more than that
    int error = 0;         // Unreadable: why, as an errno value
};

// Reads at most `maxBytes` of the file at `path` (a link is followed). Only a
// regular file is opened, and without blocking: a pipe, a device, a folder, a
// link that leads nowhere, a file without read permission and a failed read
// are all Unreadable, and return at once. An empty path is Missing.
FileText readSmallFile(const std::string& path, std::size_t maxBytes);

// Replaces the file at `path` with `text`. A new file is created beside it
// under a name of its own (exclusively, never through a link), written,
// flushed to the disk and renamed over `path`; the folder is flushed after
// the rename. A link at `path` is replaced, its target is not written. The
// folder is created when missing; an existing file's permissions carry over.
// False when any step fails: the old file is then as it was, and no new
// file stays behind.
bool replaceFile(const std::string& path, std::string_view text);

// Moves whatever stands at `path` (file, folder, pipe, link) to a free name
// beside it, "<name>.unreadable-<date>-<time>" with a number added when
// that is taken; nothing is ever moved over an existing name. Returns the
// new path, or an empty text when it could not be moved.
std::string moveAside(const std::string& path);

// An exclusive lock on the file `path` (created empty when missing, never
// through a link), held for the lifetime of the object. A lock another
// process holds is waited for up to `patience`; when it cannot be had (no
// folder, no locks on this file system, a copy of the program that hangs
// with it), held() is false and the caller goes on without it.
class FileLock {
public:
    explicit FileLock(const std::string& path,
                      std::chrono::milliseconds patience = std::chrono::seconds(5));
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Keeps one file up to date from a thread of its own, so that the disk's
// flush never holds up the caller: replace() and remove() hand the newest
// content over and return at once; a content handed over before the writer
// got to it is skipped (only the newest one counts). finish() waits until
// everything handed over is on the disk; the destructor finishes too. Each
// replacement is replaceFile's, so the file is always a whole one.
class FileKeeper {
public:
    explicit FileKeeper(std::string path) : path_(std::move(path)) {}
    ~FileKeeper();
    FileKeeper(const FileKeeper&) = delete;
    FileKeeper& operator=(const FileKeeper&) = delete;

    void replace(std::string text);
    void remove();
    void finish();
    const std::string& path() const { return path_; }
    // Replacements that reached the disk, and the last one's success.
    long replaced() const;
    bool lastSucceeded() const;

private:
    void run();

    const std::string path_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<std::string> pending_;  // text to write; empty text: remove
    bool busy_ = false;
    bool stopping_ = false;
    long replaced_ = 0;
    bool lastOk_ = true;
    std::thread thread_;
};

}  // namespace vornak
