#include "platform/posix/files_posix.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/framework.h"

namespace dorvex::posix {

namespace {

std::string Folder(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string RandomSuffix() {
    std::random_device rd;
    static const char kHex[] = "0123456789abcdef";
    std::string s;
    for (int i = 0; i < 16; ++i)
        s += kHex[rd() & 15];
    return s;
}

[[noreturn]] void ThrowFile(int err, const std::string& path) {
    throw CFileException(DWORD(err), path, std::string(std::strerror(err)) + ": " + path);
}

class PosixOutFile : public OutFile {
public:
    PosixOutFile(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}
    ~PosixOutFile() override {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    void Write(const char* buf, size_t n) override {
        while (n > 0) {
            const ssize_t w = ::write(m_fd, buf, n);
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                ThrowFile(errno, m_path);
            }
            buf += w;
            n -= size_t(w);
        }
    }
    void Close() override {
        if (m_fd < 0)
            return;
        const int fd = m_fd;
        m_fd = -1;
        if (::fsync(fd) != 0 || ::close(fd) != 0)
            ThrowFile(errno, m_path);
    }
    const std::string& Path() const override { return m_path; }

private:
    int m_fd;
    std::string m_path;
};

} // namespace

std::string MapPath(const std::string& root, const std::string& p) {
    if (p.size() < 2 || p[1] != ':' || !std::isalpha(static_cast<unsigned char>(p[0])))
        return p;
    std::string out = root + "/" + char(std::tolower(static_cast<unsigned char>(p[0])));
    for (size_t i = 2; i < p.size(); ++i)
        out += p[i] == '\\' ? '/' : p[i];
    return out;
}

bool Exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return ss.str();
}

bool WriteFileAtomically(const std::string& path, const std::string& content) {
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && (st.st_mode & S_IWUSR) == 0)
        return false;
    try {
        std::unique_ptr<OutFile> f = CreateTempFileFor(path);
        try {
            f->Write(content.data(), content.size());
            f->Close();
            ReplaceFile(f->Path(), path);
        } catch (...) {
            ::unlink(f->Path().c_str());
            throw;
        }
    } catch (const CFileException&) {
        return false;
    }
    return true;
}

std::unique_ptr<OutFile> CreateTempFileFor(const std::string& target) {
    const std::string folder = Folder(target);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::string path = folder + "/~dorvex-" + RandomSuffix() + ".tmp";
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0)
            return std::make_unique<PosixOutFile>(fd, path);
        if (errno != EEXIST)
            ThrowFile(errno, target);
    }
    ThrowFile(EEXIST, target);
}

void ReplaceFile(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0)
        ThrowFile(errno, to);
}

} // namespace dorvex::posix
