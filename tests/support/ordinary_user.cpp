#include "ordinary_user.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kakutei::testing {

int exitStatusAsOrdinaryUser(const std::function<int()>& body) {
    if (::geteuid() != 0)
        return body();
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
            ::setresuid(kNobody, kNobody, kNobody) != 0)
            ::_exit(255);
        ::_exit(body());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 255)
        return -1;
    return WEXITSTATUS(status);
}

} // namespace kakutei::testing
