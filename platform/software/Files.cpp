#include "platform/software/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

namespace tavrin::software {

#ifdef _WIN32

// The Windows host: the same steps through the C library, the flush by _commit and the replacing
// rename by MoveFileEx (the C library's rename does not replace an existing file).
namespace {

[[noreturn]] void fail(const std::string& path, const std::string& why) {
    throw FileError(path + ": " + why);
}

std::string lastError() {
    return std::strerror(errno);
}

} // namespace

std::string readWholeFile(const std::string& path, int64_t maxBytes, const char* what) {
    struct _stat64 st {};
    if (::_stat64(path.c_str(), &st) != 0) fail(path, std::string("cannot open: ") + lastError());
    if (st.st_mode & _S_IFDIR) fail(path, std::string("is a directory, not a ") + what);
    if (!(st.st_mode & _S_IFREG)) fail(path, std::string("is not a plain file, so not a ") + what);
    if (st.st_size > maxBytes)
        fail(path, "is " + std::to_string(st.st_size) + " bytes, more than the " + std::to_string(maxBytes) +
                       " bytes a " + what + " may have");
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) fail(path, std::string("cannot open: ") + lastError());
    std::string text(static_cast<size_t>(st.st_size), '\0');
    const size_t done = std::fread(text.data(), 1, text.size(), f);
    const bool bad = std::ferror(f) != 0;
    std::fclose(f);
    if (bad) fail(path, "cannot read");
    text.resize(done); // shrank while being read: what is there is the file
    return text;
}

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    if (!target.has_filename()) fail(path, "names a folder, not a file");
    std::error_code ec;
    if (fs::is_directory(target, ec)) fail(path, "is a directory; it is left as it is");
    // Created exclusively under a name of its own beside the target: a file or folder already
    // there under a name the save might have chosen is never reused, the next name is tried.
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string stem = "." + target.filename().string() + "." + std::to_string(::_getpid()) + ".";
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = (folder / (stem + std::to_string(attempt))).string();
        fd = ::_open(temp.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (fd < 0 && errno != EEXIST && errno != EACCES) break;
    }
    if (fd < 0) fail(path, "cannot create a temporary file in " + folder.string() + ": " + lastError());
    std::FILE* f = ::_fdopen(fd, "wb");
    if (!f) {
        ::_close(fd);
        std::remove(temp.c_str());
        fail(path, "cannot create the temporary file " + temp + ": " + lastError());
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fflush(f) == 0 &&
              ::_commit(::_fileno(f)) == 0;
    std::string why = ok ? "" : lastError();
    if (std::fclose(f) != 0 && ok) {
        why = lastError();
        ok = false;
    }
    if (!ok) {
        std::remove(temp.c_str());
        fail(path, "cannot write: " + why + "; the file is left as it was");
    }
    if (!::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        std::remove(temp.c_str());
        fail(path, "cannot replace the file (system error " + std::to_string(::GetLastError()) +
                       "); the file is left as it was");
    }
}

#else

namespace {

[[noreturn]] void fail(const std::string& path, const std::string& why) {
    throw FileError(path + ": " + why);
}

std::string lastError() {
    return std::strerror(errno);
}

// Closes a descriptor when the scope ends.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// The mode a new file gets: read and write for everyone the process's umask allows.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::string readWholeFile(const std::string& path, int64_t maxBytes, const char* what) {
    // Not blocking: a pipe or a device must not hold the reader before it is refused.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) fail(path, std::string("cannot open: ") + lastError());
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) fail(path, std::string("cannot read: ") + lastError());
    if (S_ISDIR(st.st_mode)) fail(path, std::string("is a directory, not a ") + what);
    if (!S_ISREG(st.st_mode)) fail(path, std::string("is not a plain file, so not a ") + what);
    if (st.st_size > maxBytes)
        fail(path, "is " + std::to_string(st.st_size) + " bytes, more than the " + std::to_string(maxBytes) +
                       " bytes a " + what + " may have");
    std::string text;
    text.resize(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::read(fd.get(), text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(path, std::string("cannot read: ") + lastError());
        if (n == 0) break; // shrank while being read: what is there is the file
        done += static_cast<size_t>(n);
    }
    text.resize(done);
    return text;
}

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    if (!target.has_filename()) fail(path, "names a folder, not a file");

    struct stat old {};
    const bool replacing = ::stat(path.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) fail(path, "is a directory; it is left as it is");
    const mode_t mode = replacing ? (old.st_mode & 07777) : newFileMode();

    // mkstemp creates the name exclusively: a file, folder or link already there is never reused.
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) fail(path, "cannot create a temporary file in " + folder.string() + ": " + lastError());
    auto abandon = [&](const std::string& step) {
        const std::string why = lastError();
        ::close(fd.release());
        ::unlink(temp.c_str());
        fail(path, step + ": " + why + "; the file is left as it was");
    };
    if (::fchmod(fd.get(), mode) != 0) abandon("cannot set the mode of the temporary file");
    if (!writeAll(fd.get(), bytes)) abandon("cannot write");
    if (::fsync(fd.get()) != 0) abandon("cannot flush to the disk");
    if (::close(fd.release()) != 0) {
        const std::string why = lastError();
        ::unlink(temp.c_str());
        fail(path, "cannot write: " + why + "; the file is left as it was");
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string why = lastError();
        ::unlink(temp.c_str());
        fail(path, "cannot replace the file: " + why + "; the file is left as it was");
    }
    // The rename is durable only once the folder is: flush it (a failure here changes nothing
    // that was written, so it is not reported).
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

#endif

} // namespace tavrin::software
