#include "ordinary_user.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kakutei::testing {

int exitStatusAsOrdinaryUser(const std::function<int()>& body) {
    if (::geteuid() != 0)
        return body();
    constexpr uid_t kNobody = 65534;
    const mode_t mask = ::umask(0); // umask can only be read by setting it
    ::umask(mask);
    return exitStatusAs(kNobody, kNobody, {}, mask, body);
}

int exitStatusAs(uid_t uid, gid_t gid, const std::vector<gid_t>& groups, mode_t mask,
                 const std::function<int()>& body, bool* possible) {
    if (possible)
        *possible = ::geteuid() == 0;
    if (::geteuid() != 0)
        return -1;
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (::setgroups(groups.size(), groups.data()) != 0 || ::setresgid(gid, gid, gid) != 0 ||
            ::setresuid(uid, uid, uid) != 0)
            ::_exit(255);
        ::umask(mask);
        ::_exit(body());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 255)
        return -1;
    return WEXITSTATUS(status);
}

} // namespace kakutei::testing
