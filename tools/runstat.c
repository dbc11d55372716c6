/* Benchmark tooling: runs one program with stdin and stdout redirected to files and prints
 * "<seconds> <peak resident KiB> <exit status>". Forking from this small process, rather than
 * from the benchmark script, keeps the script's own memory out of the child's peak. */
#include <fcntl.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char **argv) {
  struct timespec t0, t1;
  struct rusage ru;
  int status;
  pid_t pid;
  if (argc < 4) {
    fputs("usage: runstat INPUT OUTPUT PROGRAM [ARG ...]\n", stderr);
    return 2;
  }
  clock_gettime(CLOCK_MONOTONIC, &t0);
  pid = fork();
  if (pid < 0) {
    perror("runstat: fork");
    return 2;
  }
  if (pid == 0) {
    int in = open(argv[1], O_RDONLY), out = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0) {
      perror("runstat: redirect");
      _exit(127);
    }
    execv(argv[3], argv + 3);
    perror("runstat: exec");
    _exit(127);
  }
  if (wait4(pid, &status, 0, &ru) < 0) {
    perror("runstat: wait");
    return 2;
  }
  clock_gettime(CLOCK_MONOTONIC, &t1);
  printf("%.6f %ld %d\n", (t1.tv_sec - t0.tv_sec) + (t1.tv_nsec - t0.tv_nsec) / 1e9, ru.ru_maxrss,
         WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
  return 0;
}
