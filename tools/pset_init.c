/* pset_init: the first process of a judged command, which it starts, outlives and accounts.

   pset_init FD COMMAND [ARG ...]

   Starts COMMAND as its child and waits for it, reaping on the way every descendant handed to
   it (it is the init of the sandbox's PID namespace, or a child subreaper without one). When
   COMMAND ends, every process left of its tree is killed and reaped, so that their CPU time
   counts too, whether or not their parents waited for them. Then one line goes to FD:

     ok WSTATUS UTIME_US STIME_US MAXRSS_KB     COMMAND's raw wait status, the CPU time of
                                                every reaped process, the largest peak RSS
     exec ERRNO                                 COMMAND could not be started

   and it exits 0. FD is closed in COMMAND, and this process is not dumpable, so no process of
   the command can reach FD through /proc. SIGTERM or SIGHUP (the parent's death signal) kill
   the tree and end it without a report. Cost: one fork, and a scan of
   /proc/self/task/N/children per round of killing. */
#define _GNU_SOURCE

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

static volatile sig_atomic_t stop;

static void on_stop(int sig) {
  (void)sig;
  stop = 1;
}

/* Kills every child of this process (any thread's); returns how many it found. */
static int kill_children(void) {
  int found = 0;
  if (getpid() == 1) {
    kill(-1, SIGKILL);
  }
  DIR *d = opendir("/proc/self/task");
  if (!d) {
    return 0;
  }
  struct dirent *e;
  while ((e = readdir(d)) != NULL) {
    if (e->d_name[0] == '.') {
      continue;
    }
    char path[64], buf[4096];
    snprintf(path, sizeof path, "/proc/self/task/%.20s/children", e->d_name);
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      continue;
    }
    ssize_t n = read(fd, buf, sizeof buf - 1);
    close(fd);
    if (n <= 0) {
      continue;
    }
    buf[n] = 0;
    char *p = buf;
    while (*p) {
      char *end;
      long pid = strtol(p, &end, 10);
      if (end == p) {
        break;
      }
      if (pid > 1) {
        kill((pid_t)pid, SIGKILL);
        found++;
      }
      p = end;
    }
  }
  closedir(d);
  return found;
}

/* Kills and reaps the whole tree left below this process: a killed process's children come
   to this one when it dies, so the rounds go on until there is no child at all. */
static void end_tree(void) {
  for (;;) {
    kill_children();
    if (waitpid(-1, NULL, __WALL) < 0 && errno != EINTR) {
      return;
    }
  }
}

int main(int argc, char **argv) {
  if (argc < 3) {
    fprintf(stderr, "pset_init: usage: pset_init FD COMMAND [ARG ...]\n");
    return 2;
  }
  int report = atoi(argv[1]);
  if (fcntl(report, F_SETFD, FD_CLOEXEC) != 0) {
    fprintf(stderr, "pset_init: descriptor %s is not open\n", argv[1]);
    return 2;
  }
  prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
  prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0);
  struct sigaction sa;
  memset(&sa, 0, sizeof sa);
  sa.sa_handler = on_stop;
  sigaction(SIGTERM, &sa, NULL);
  sigaction(SIGHUP, &sa, NULL);
  prctl(PR_SET_PDEATHSIG, SIGHUP, 0, 0, 0);
  if (getppid() == 1 && getpid() != 1) {
    return 2; /* the parent is gone already */
  }
  int failed[2];
  if (pipe2(failed, O_CLOEXEC) != 0) {
    perror("pset_init: pipe");
    return 2;
  }
  pid_t child = fork();
  if (child < 0) {
    dprintf(report, "exec %d\n", errno);
    return 0;
  }
  if (child == 0) {
    signal(SIGTERM, SIG_DFL);
    signal(SIGHUP, SIG_DFL);
    prctl(PR_SET_PDEATHSIG, 0, 0, 0, 0);
    setsid(); /* the command leads a session of its own, as it would started alone */
    execvp(argv[2], argv + 2);
    int err = errno;
    if (write(failed[1], &err, sizeof err) < 0) {
      _exit(127);
    }
    _exit(127);
  }
  close(failed[1]);
  int err = 0;
  ssize_t got = read(failed[0], &err, sizeof err);
  close(failed[0]);
  int status = 0;
  for (;;) {
    if (stop) {
      end_tree();
      return 1;
    }
    pid_t pid = waitpid(-1, &status, __WALL);
    if (pid == child) {
      break;
    }
    if (pid < 0 && errno != EINTR) {
      return 2;
    }
  }
  end_tree();
  if (got == (ssize_t)sizeof err) {
    dprintf(report, "exec %d\n", err);
    return 0;
  }
  struct rusage ru;
  getrusage(RUSAGE_CHILDREN, &ru);
  dprintf(report, "ok %d %lld %lld %ld\n", status,
          (long long)ru.ru_utime.tv_sec * 1000000 + ru.ru_utime.tv_usec,
          (long long)ru.ru_stime.tv_sec * 1000000 + ru.ru_stime.tv_usec, ru.ru_maxrss);
  return 0;
}
