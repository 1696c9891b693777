#pragma once

#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace vel::testing {

// Makes the system refuse files without a name to this process, its threads
// and the programs it starts, with the answer of a file system that cannot
// make them (EOPNOTSUPP), so that the named stand-in is used everywhere.
// Lasts for the process's life: call it in a test program of its own, or in
// a child before it starts a program. Answers whether the refusal holds.
inline bool RefuseUnnamedFiles() {
#if defined(__x86_64__)
    constexpr __u32 arch = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
    constexpr __u32 arch = AUDIT_ARCH_AARCH64;
#else
    return false;
#endif
    // O_TMPFILE carries O_DIRECTORY with it; its own bit is the rest.
    constexpr __u32 unnamed = O_TMPFILE & ~O_DIRECTORY;
    constexpr __u32 flagsOfOpenat = offsetof(seccomp_data, args) + 2 * sizeof(__u64);
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, arch, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_openat, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, flagsOfOpenat),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, unnamed, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program{static_cast<unsigned short>(sizeof filter / sizeof filter[0]), filter};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, SECCOMP_FILTER_FLAG_TSYNC, &program) ==
               0;
}

} // namespace vel::testing
