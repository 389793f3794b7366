/* The floor for the converter's process time (tools/measure-startup): a bare C program that
 * makes the converter's file calls for a Koala PRG from a BMP. It reads the BMP into memory,
 * writes its first 10003 bytes (a Koala PRG's length) beside OUTPUT under a temporary name,
 * syncs, renames it over OUTPUT and prints one line, as the converter does.
 *   bare_copy INPUT OUTPUT */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

enum { KoalaPrgBytes = 10003, ReadChunk = 64 << 10 };

static int Fail(const char* what) {
    perror(what);
    return 1;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fputs("usage: bare_copy INPUT OUTPUT\n", stderr);
        return 2;
    }
    const int in = open(argv[1], O_RDONLY | O_CLOEXEC);
    struct stat info;
    if (in < 0 || fstat(in, &info) != 0) return Fail(argv[1]);
    unsigned char* bytes = malloc(ReadChunk);
    ssize_t got = 0;
    for (ssize_t n; bytes != NULL && got < ReadChunk && (n = read(in, bytes + got, ReadChunk - got)) > 0;) got += n;
    close(in);
    if (bytes == NULL || got < KoalaPrgBytes) return Fail(argv[1]);

    /* The converter's steps: the target looked at, the umask read, a new file written beside it. */
    struct stat target;
    lstat(argv[2], &target);
    const mode_t mask = umask(0);
    umask(mask);
    stat(argv[2], &target);
    char temporary[4096];
    snprintf(temporary, sizeof temporary, "%s.%d-0.tmp", argv[2], (int)getpid());
    const int out = open(temporary, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) return Fail(temporary);
    const int ok = write(out, bytes, KoalaPrgBytes) == KoalaPrgBytes && fchmod(out, 0666 & ~mask) == 0 &&
                   fsync(out) == 0;
    if (close(out) != 0 || !ok || rename(temporary, argv[2]) != 0) return Fail(temporary);
    free(bytes);
    printf("Wrote %d bytes.\n", KoalaPrgBytes);
    return 0;
}
