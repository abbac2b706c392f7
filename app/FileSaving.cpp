#include "app/FileSaving.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <vector>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool WriteAll(int fd, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Whether the file at path may be replaced: a new file may; an existing one only when the user
// may write it and its permissions allow writing at all. Renaming over a file needs only the
// folder's permission, and root may write any file, so neither says whether the file itself
// is read-only.
bool MayReplace(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    return ::access(path.c_str(), W_OK) == 0;
}
} // namespace

bool WriteFileReplacing(const std::string& path, const std::string& content) {
    if (path.empty() || !MayReplace(path))
        return false;
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return false;
    const std::string temp(name.data());
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat st {};
    const mode_t mode = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    // A failed chmod leaves the private permissions of the temporary file: still saved.
    (void)::fchmod(fd, mode);
    bool ok = WriteAll(fd, content) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok)
        std::remove(temp.c_str());
    return ok;
}

bool CopyFileReplacing(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    if (!in)
        return false;
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    char block[512];
    while (in.read(block, sizeof block) || in.gcount() > 0)
        out.write(block, in.gcount());
    out.close();
    return !in.bad() && !out.fail();
}
