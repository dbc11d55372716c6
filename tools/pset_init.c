/* pset_init: the server of one judged command, which runs it test after test on request,
   outlives every process it starts and accounts their time.

   pset_init [-j FD]... [-s] [-w DIR] CTRL COMMAND [ARG ...]

   CTRL is a SOCK_SEQPACKET socket to pset. pset_init first moves itself into the cgroups
   whose cgroup.procs files are open on the -j descriptors (every test is then born inside
   them), goes into DIR (the command's working folder; default where it starts), and says
   "ready". A request is one message "run CPU FSIZE AS" (seconds, bytes, bytes; 0 for none)
   carrying three descriptors: the command's standard input, output and error. It starts
   COMMAND as its child, in a session of its own, under those limits, without core files or
   message queues, and with -s under a seccomp filter that refuses keyrings, SysV IPC, POSIX
   message queues and Internet sockets (kernel state that would outlive a test in a sandbox
   that serves many). It reaps every process handed to it (it is the init of the sandbox's
   PID namespace, or else a child subreaper). When COMMAND ends, every process left of its
   tree is killed and reaped, so that the CPU time of all of them counts, waited for or not,
   and one message answers:

     ok WSTATUS UTIME_US STIME_US MAXRSS_KB   COMMAND's wait status, the CPU time of every
                                             process of its tree, the largest peak RSS of one
     exec ERRNO                               COMMAND could not be started

   Then DIR is emptied, so that a test finds nothing of the one before, and a second message
   says "clean 1"; "clean 0" when something could not be removed, or a mount point of the
   sandbox inside DIR (a file it shows there) was moved.

   It ends when CTRL is closed, killing what is left; without a PID namespace also when pset
   dies (SIGHUP, its parent-death signal). It is not dumpable, so no process of the command
   can reach its descriptors or memory through /proc, and in a PID namespace it has no signal
   handler, so none can signal it. Cost per test: one fork and exec, one wait4 per process of
   the tree, a scan of its children per round of killing, a walk of DIR and a stat of each of
   its mount points. */
#define _GNU_SOURCE

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <signal.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#define MAX_JOIN 8
#define MAX_DEPTH 64  /* folders nested deeper in DIR make it "not emptied" */
#define MAX_MOUNTS 64 /* mount points inside DIR that are checked after every test */

struct acct {
  long long utime, stime; /* microseconds */
  long maxrss;            /* KiB */
};

static volatile sig_atomic_t stop;

static void on_stop(int sig) {
  (void)sig;
  stop = 1;
}

static void add(struct acct *a, const struct rusage *ru) {
  a->utime += (long long)ru->ru_utime.tv_sec * 1000000 + ru->ru_utime.tv_usec;
  a->stime += (long long)ru->ru_stime.tv_sec * 1000000 + ru->ru_stime.tv_usec;
  if (ru->ru_maxrss > a->maxrss) a->maxrss = ru->ru_maxrss;
}

/* Kills every child of this process: as a namespace's init every other process in it. */
static void kill_children(void) {
  if (getpid() == 1) {
    kill(-1, SIGKILL);
    return;
  }
  DIR *d = opendir("/proc/self/task");
  if (!d) return;
  struct dirent *e;
  while ((e = readdir(d)) != NULL) {
    if (e->d_name[0] == '.') continue;
    char path[64], buf[4096];
    snprintf(path, sizeof path, "/proc/self/task/%.20s/children", e->d_name);
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    ssize_t n = read(fd, buf, sizeof buf - 1);
    close(fd);
    if (n <= 0) continue;
    buf[n] = 0;
    char *p = buf;
    for (;;) {
      char *end;
      long pid = strtol(p, &end, 10);
      if (end == p) break;
      if (pid > 1) kill((pid_t)pid, SIGKILL);
      p = end;
    }
  }
  closedir(d);
}

/* Kills and reaps the whole tree left below this process, adding its time to `a`: a killed
   process's children come to this one when it dies, so the rounds go on until none is left. */
static void end_tree(struct acct *a) {
  for (;;) {
    kill_children();
    struct rusage ru;
    pid_t p = wait4(-1, NULL, __WALL, &ru);
    if (p > 0) {
      if (a) add(a, &ru);
      while ((p = wait4(-1, NULL, __WALL | WNOHANG, &ru)) > 0)
        if (a) add(a, &ru);
      continue;
    }
    if (errno != EINTR) return;
  }
}

/* The sandbox's own mount points inside DIR (the files and folders it shows there), as
   found at the start: a test may neither remove nor move them. */
static struct {
  dev_t dev;
  ino_t ino;
  char path[512];
} mounts[MAX_MOUNTS];
static int nmounts;

/* mountinfo writes a blank, a tab, a line end and a backslash as \040, \011, \012, \134. */
static void unescape(char *s) {
  char *o = s;
  for (; *s; s++, o++) {
    if (s[0] == '\\' && s[1] >= '0' && s[1] <= '3' && s[2] >= '0' && s[2] <= '7' && s[3] >= '0' &&
        s[3] <= '7') {
      *o = (char)((s[1] - '0') * 64 + (s[2] - '0') * 8 + (s[3] - '0'));
      s += 3;
    } else
      *o = *s;
  }
  *o = 0;
}

static void find_mounts(const char *dir) {
  char real[512];
  if (!realpath(dir, real)) return;
  size_t n = strlen(real);
  FILE *f = fopen("/proc/self/mountinfo", "re");
  if (!f) return;
  char line[4096];
  while (fgets(line, sizeof line, f) && nmounts < MAX_MOUNTS) {
    char point[2048];
    if (sscanf(line, "%*s %*s %*s %*s %2047s", point) != 1) continue;
    unescape(point);
    if (strncmp(point, real, n) != 0 || point[n] != '/' || strlen(point) >= 512) continue;
    struct stat st;
    if (stat(point, &st) != 0) continue;
    mounts[nmounts].dev = st.st_dev;
    mounts[nmounts].ino = st.st_ino;
    strcpy(mounts[nmounts++].path, point);
  }
  fclose(f);
}

static int mounts_in_place(void) {
  for (int k = 0; k < nmounts; k++) {
    struct stat st;
    if (stat(mounts[k].path, &st) != 0 || st.st_dev != mounts[k].dev || st.st_ino != mounts[k].ino)
      return 0;
  }
  return 1;
}

/* Removes what the command left inside the folder open on `dfd`, on the file system `dev`:
   everything but the sandbox's mount points (another file system) and the folders that hold
   them. Returns how many entries it could not remove. Nothing else runs by now, so nothing
   changes meanwhile; the top call looks again while a look removes something. */
static int clear(int dfd, dev_t dev, int depth) {
  if (depth > MAX_DEPTH) return 1;
  fchmod(dfd, 0700);
  int left = 0;
  for (int pass = 0; pass < (depth ? 1 : 3); pass++) {
    int fd = openat(dfd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *d = fd < 0 ? NULL : fdopendir(fd);
    if (!d) {
      if (fd >= 0) close(fd);
      return 1;
    }
    int removed = 0;
    left = 0;
    struct dirent *e;
    while ((e = readdir(d)) != NULL) {
      const char *n = e->d_name;
      struct stat st;
      if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0))) continue;
      if (fstatat(dfd, n, &st, AT_SYMLINK_NOFOLLOW) != 0 || st.st_dev != dev) continue;
      if (!S_ISDIR(st.st_mode)) {
        if (unlinkat(dfd, n, 0) == 0)
          removed++;
        else
          left++;
        continue;
      }
      fchmodat(dfd, n, 0700, 0);
      int sub = openat(dfd, n, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      int inner = sub < 0 ? 1 : clear(sub, dev, depth + 1);
      if (sub >= 0) close(sub);
      if (inner)
        left++;
      else if (unlinkat(dfd, n, AT_REMOVEDIR) == 0)
        removed++; /* else it holds a mount point: the sandbox's own */
    }
    closedir(d);
    if (!removed) break;
  }
  return left;
}

/* The seccomp filter of -s: keyrings, SysV IPC, POSIX message queues and Internet sockets are
   refused (EPERM); a call of an unknown architecture ends the process. */
static struct sock_filter prog[96];
static int len;

static void op(struct sock_filter f) { prog[len++] = f; }

static void deny(long nr) {
  op((struct sock_filter)BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, (unsigned)nr, 0, 1));
  op((struct sock_filter)BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM));
}

static void deny_inet(long nr) {
  op((struct sock_filter)BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, (unsigned)nr, 0, 5));
  op((struct sock_filter)BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, args)));
  op((struct sock_filter)BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, 2 /* AF_INET */, 2, 0));
  op((struct sock_filter)BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, 10 /* AF_INET6 */, 1, 0));
  op((struct sock_filter)BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
  op((struct sock_filter)BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM));
}

static int build_filter(void) {
#if defined(__x86_64__)
  const unsigned native = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
  const unsigned native = AUDIT_ARCH_AARCH64;
#else
  return 0; /* no filter where the architecture is not known here */
#endif
  op((struct sock_filter)BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, arch)));
#if defined(__x86_64__)
  /* 32-bit programs: add_key 286, request_key 287, keyctl 288, ipc 117, socketcall 102,
     mq_open 277, socket 359 */
  int at = len;
  op((struct sock_filter)BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_I386, 0, 0));
  op((struct sock_filter)BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, nr)));
  static const long i386[] = {286, 287, 288, 117, 102, 277};
  for (unsigned k = 0; k < sizeof i386 / sizeof *i386; k++) deny(i386[k]);
  deny_inet(359);
  op((struct sock_filter)BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
  prog[at].jf = (unsigned char)(len - at - 1);
#endif
  op((struct sock_filter)BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, native, 1, 0));
  op((struct sock_filter)BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS));
  op((struct sock_filter)BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, nr)));
#if defined(__x86_64__)
  /* the x32 calling convention is refused as a whole */
  op((struct sock_filter)BPF_JUMP(BPF_JMP | BPF_JGE | BPF_K, 0x40000000, 0, 1));
  op((struct sock_filter)BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS));
#endif
  static const long refused[] = {SYS_add_key, SYS_request_key, SYS_keyctl, SYS_shmget,
                                 SYS_semget,  SYS_msgget,      SYS_mq_open};
  for (unsigned k = 0; k < sizeof refused / sizeof *refused; k++) deny(refused[k]);
  deny_inet(SYS_socket);
  op((struct sock_filter)BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
  return 1;
}

static void limit(int what, rlim_t value) {
  struct rlimit r = {value, value};
  setrlimit(what, &r);
}

/* The command's process, from fork to exec; an errno that stops it goes to `failed`. */
static void start(char **argv, const int *fds, long long cpu, long long fsize, long long as,
                  int filter, int failed) {
  signal(SIGHUP, SIG_DFL);
  signal(SIGPIPE, SIG_DFL);
  prctl(PR_SET_PDEATHSIG, 0, 0, 0, 0);
  setsid();
  for (int k = 0; k < 3; k++)
    if (dup2(fds[k], k) < 0) goto fail;
  limit(RLIMIT_CORE, 0);
  limit(RLIMIT_MSGQUEUE, 0);
  if (cpu > 0) limit(RLIMIT_CPU, (rlim_t)cpu);
  if (fsize > 0) limit(RLIMIT_FSIZE, (rlim_t)fsize);
  if (as > 0) limit(RLIMIT_AS, (rlim_t)as);
  if (filter) {
    struct sock_fprog fp = {(unsigned short)len, prog};
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) goto fail;
    if (prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &fp) != 0 && errno != EINVAL) goto fail;
  }
  execvp(argv[0], argv);
fail:;
  int err = errno;
  if (write(failed, &err, sizeof err) < 0) _exit(127);
  _exit(127);
}

/* One test: runs the command on the descriptors given and writes the answer into `out`. */
static void serve(char **argv, const int *fds, long long cpu, long long fsize, long long as,
                  int filter, char *out, size_t size) {
  struct acct a = {0, 0, 0};
  int failed[2];
  if (pipe2(failed, O_CLOEXEC) != 0) {
    snprintf(out, size, "exec %d", errno);
    return;
  }
  pid_t child = fork();
  if (child == 0) start(argv, fds, cpu, fsize, as, filter, failed[1]);
  int err = errno;
  close(failed[1]);
  if (child < 0) {
    close(failed[0]);
    snprintf(out, size, "exec %d", err);
    return;
  }
  ssize_t got;
  do got = read(failed[0], &err, sizeof err);
  while (got < 0 && errno == EINTR && !stop);
  close(failed[0]);
  int status = 0;
  for (;;) {
    struct rusage ru;
    int st;
    pid_t p = wait4(-1, &st, __WALL, &ru);
    if (p > 0) add(&a, &ru);
    if (p == child) {
      status = st;
      break;
    }
    if (p < 0 && errno == EINTR && stop) break;
    if (p < 0 && errno != EINTR) break;
  }
  end_tree(&a);
  if (stop) exit(1);
  if (got == (ssize_t)sizeof err)
    snprintf(out, size, "exec %d", err);
  else
    snprintf(out, size, "ok %d %lld %lld %ld", status, a.utime, a.stime, a.maxrss);
}

int main(int argc, char **argv) {
  int join[MAX_JOIN], joins = 0, filter = 0, c;
  const char *dir = ".";
  while ((c = getopt(argc, argv, "+j:sw:")) != -1) {
    if (c == 'j' && joins < MAX_JOIN)
      join[joins++] = atoi(optarg);
    else if (c == 's')
      filter = 1;
    else if (c == 'w')
      dir = optarg;
    else {
      fprintf(stderr, "pset_init: usage: pset_init [-j FD]... [-s] [-w DIR] CTRL COMMAND ...\n");
      return 2;
    }
  }
  if (argc - optind < 2) {
    fprintf(stderr, "pset_init: usage: pset_init [-j FD]... [-s] [-w DIR] CTRL COMMAND ...\n");
    return 2;
  }
  int ctrl = atoi(argv[optind]);
  char **command = argv + optind + 1;
  if (fcntl(ctrl, F_SETFD, FD_CLOEXEC) != 0) {
    fprintf(stderr, "pset_init: descriptor %s is not open\n", argv[optind]);
    return 2;
  }
  prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
  prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0);
  signal(SIGPIPE, SIG_IGN);
  if (getpid() != 1) {
    struct sigaction sa;
    memset(&sa, 0, sizeof sa);
    sa.sa_handler = on_stop; /* no SA_RESTART: a wait or a read ends at once */
    sigaction(SIGHUP, &sa, NULL);
    prctl(PR_SET_PDEATHSIG, SIGHUP, 0, 0, 0);
    if (getppid() == 1) return 2; /* pset is gone already */
  }
  char out[160];
  for (int k = 0; k < joins; k++) {
    if (write(join[k], "0", 1) != 1) {
      snprintf(out, sizeof out, "join %d", errno);
      send(ctrl, out, strlen(out), MSG_NOSIGNAL);
      return 2;
    }
    close(join[k]);
  }
  int dfd = open(dir, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  struct stat st;
  if (dfd < 0 || fstat(dfd, &st) != 0 || fchdir(dfd) != 0) {
    snprintf(out, sizeof out, "folder %d", errno);
    send(ctrl, out, strlen(out), MSG_NOSIGNAL);
    return 2;
  }
  find_mounts(dir);
  if (filter) filter = build_filter();
  send(ctrl, "ready", 5, MSG_NOSIGNAL);
  for (;;) {
    char req[160];
    union {
      char buf[CMSG_SPACE(3 * sizeof(int))];
      struct cmsghdr align;
    } u;
    struct iovec iov = {req, sizeof req - 1};
    struct msghdr m;
    memset(&m, 0, sizeof m);
    m.msg_iov = &iov;
    m.msg_iovlen = 1;
    m.msg_control = u.buf;
    m.msg_controllen = sizeof u.buf;
    ssize_t n = recvmsg(ctrl, &m, MSG_CMSG_CLOEXEC);
    if (n < 0 && errno == EINTR && !stop) continue;
    if (n <= 0) break; /* pset closed the socket, or is gone */
    req[n] = 0;
    int fds[3], nfds = 0;
    for (struct cmsghdr *cm = CMSG_FIRSTHDR(&m); cm; cm = CMSG_NXTHDR(&m, cm))
      if (cm->cmsg_level == SOL_SOCKET && cm->cmsg_type == SCM_RIGHTS) {
        int have = (int)((cm->cmsg_len - CMSG_LEN(0)) / sizeof(int));
        for (int k = 0; k < have; k++) {
          int fd;
          memcpy(&fd, CMSG_DATA(cm) + k * sizeof(int), sizeof fd);
          if (nfds < 3)
            fds[nfds++] = fd;
          else
            close(fd);
        }
      }
    long long cpu, fsize, as;
    if (nfds != 3 || sscanf(req, "run %lld %lld %lld", &cpu, &fsize, &as) != 3) break;
    serve(command, fds, cpu, fsize, as, filter, out, sizeof out);
    for (int k = 0; k < 3; k++) close(fds[k]);
    if (send(ctrl, out, strlen(out), MSG_NOSIGNAL) < 0) break;
    int clean =
        clear(dfd, st.st_dev, 0) == 0 && fchmod(dfd, st.st_mode & 07777) == 0 && mounts_in_place();
    if (send(ctrl, clean ? "clean 1" : "clean 0", 7, MSG_NOSIGNAL) < 0) break;
  }
  end_tree(NULL);
  return 0;
}
