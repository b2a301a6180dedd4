#include "platform/posix/platform_posix.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/framework.h"
#include "platform/pe_version.h"
#include "platform/posix/files_posix.h"
#include "platform/posix/http_curl.h"
#include "platform/posix/profile_file.h"

extern char** environ;

namespace dorvex {

PosixPlatform::PosixPlatform(std::string root) : m_root(std::move(root)) {}

std::string PosixPlatform::HostPath(const std::string& p) const {
    return posix::MapPath(m_root, p);
}

void PosixPlatform::NoWindow() {
    throw std::logic_error("the posix backend has no launcher window");
}

int PosixPlatform::MessageBox(const std::string& text, UINT type) {
    std::fprintf(stderr, "DorvexLauncher [%s] %s\n",
                 (type & MB_ICONMASK) == MB_ICONSTOP ? "stop" : "!", text.c_str());
    return IDOK;
}

bool PosixPlatform::CreateNamedMapping(const std::string& name, bool* gotHandle) {
    // One lock file per name, held open (never closed) for the life of the process.
    const std::string path = m_root + "/.instance-" + name;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    *gotHandle = fd >= 0;
    if (fd < 0)
        return false;
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    if (::fcntl(fd, F_SETLK, &fl) == 0)
        return false;
    ::close(fd);
    return true;
}

std::unique_ptr<HttpResponse> PosixPlatform::OpenUrl(const std::string& url) {
    return posix::CurlOpenUrl(url, AppName());
}

bool PosixPlatform::FindFile(const std::string& path) {
    return posix::Exists(HostPath(path));
}

bool PosixPlatform::CreateDirectory(const std::string& path) {
    return ::mkdir(HostPath(path).c_str(), 0755) == 0;
}

std::unique_ptr<OutFile> PosixPlatform::CreateTempFileFor(const std::string& target) {
    return posix::CreateTempFileFor(HostPath(target));
}

void PosixPlatform::ReplaceFile(const std::string& from, const std::string& to) {
    // Temporary files are handed out as host paths already.
    posix::ReplaceFile(from, HostPath(to));
}

void PosixPlatform::DeleteFile(const std::string& path) {
    ::unlink(HostPath(path).c_str());
}

std::optional<std::array<uint16_t, 4>> PosixPlatform::FileVersion(const std::string& path) {
    return pe::ReadFileVersionOfFile(HostPath(path));
}

int PosixPlatform::GetPrivateProfileInt(const std::string& section, const std::string& key, int def,
                                        const std::string& path) {
    return profile::GetInt(HostPath(path), section, key, def);
}

bool PosixPlatform::WritePrivateProfileString(const std::string& section, const std::string& key,
                                              const std::string& value, const std::string& path) {
    return profile::WriteString(HostPath(path), section, key, value);
}

std::string PosixPlatform::UserStorePath(const std::string& subkey,
                                         const std::string& value) const {
    std::string p = m_root + "/registry/HKCU/";
    for (char c : subkey)
        p += c == '\\' ? '/' : c;
    return p + "/" + value;
}

std::optional<std::string> PosixPlatform::ReadUserString(const std::string& subkey,
                                                         const std::string& value) {
    return posix::ReadWholeFile(UserStorePath(subkey, value));
}

namespace {
bool Spawn(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid;
    return ::posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) == 0;
}
} // namespace

bool PosixPlatform::ShellOpen(const std::string& url) {
    return Spawn({"xdg-open", url});
}

bool PosixPlatform::StartProgram(const std::string& path, int /*showCmd*/) {
    const std::string host = HostPath(path);
    if (::access(host.c_str(), X_OK) != 0)
        return false;
    return Spawn({host}); // the path is the program itself, never a command line
}

int PosixPlatform::RunModal(CWnd&, int) {
    NoWindow();
}

} // namespace dorvex
