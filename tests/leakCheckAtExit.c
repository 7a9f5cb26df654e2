/* Preloaded into the sanitized test runs: readies every process for the leak check at exit. */
#define _GNU_SOURCE
#include <dirent.h>
#include <dlfcn.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

/* A library is never unloaded, so the leak check at exit still finds its blocks. */
int dlclose(void* library) {
    (void)library;
    return 0;
}

/* The exit code of a process that reached the leak check with other threads alive. */
enum { THREADS_LEFT_AT_EXIT = 24 };

/* The names of the threads other than this one, comma-separated into names; their count. */
static int otherThreads(char* names, size_t size) {
    DIR* tasks = opendir("/proc/self/task");
    if (!tasks) return 0;
    char self[32];
    snprintf(self, sizeof self, "%d", (int)getpid());
    int count = 0;
    names[0] = '\0';
    for (struct dirent* task; (task = readdir(tasks));) {
        if (task->d_name[0] == '.' || strcmp(task->d_name, self) == 0) continue;
        char path[320], name[32] = "?";
        snprintf(path, sizeof path, "/proc/self/task/%s/comm", task->d_name);
        FILE* comm = fopen(path, "r");
        if (comm) {
            if (fgets(name, sizeof name, comm)) name[strcspn(name, "\n")] = '\0';
            fclose(comm);
        }
        snprintf(names + strlen(names), size - strlen(names), "%s%s", count ? ", " : "", name);
        ++count;
    }
    closedir(tasks);
    return count;
}

/* Runs after every atexit handler, right before the leak check. The checker's tracer stops and
   scans every live thread, and with the GL driver's idle workers alive it crashed now and then
   after the test had passed. A sanitized process that leaves a thread running fails here every time. */
__attribute__((destructor)) static void requireOneThreadAtExit(void) {
    if (!dlsym(RTLD_DEFAULT, "__lsan_do_leak_check")) return;  /* not a sanitized program: no check follows */
    char names[1024];
    const int count = otherThreads(names, sizeof names);
    if (count == 0) return;
    fprintf(stderr, "Error, %d other threads still run at exit (%s): end them before the leak check\n", count, names);
    _exit(THREADS_LEFT_AT_EXIT);
}
