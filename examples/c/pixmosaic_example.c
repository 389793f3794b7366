/* Converts pictures with the Pixmosaic library, each in a thread of its own.
 *
 *   pixmosaic-example JOBS
 *
 * JOBS is a text file, one conversion a line:
 *
 *   INPUT OUTPUT [rgba=WIDTHxHEIGHTxSTRIDE] [OPTION=VALUE]...
 *
 * INPUT is any file the converter reads, or with rgba= raw RGBA rows STRIDE bytes apart.
 * OPTION=VALUE are pixmosaic-cli's long options without their dashes ("format=artstudio",
 * "nearest=1"). Each conversion writes OUTPUT (unless refused), OUTPUT.txt (what the converter
 * would print), OUTPUT.pam (the preview, or a refused picture's clash map) and OUTPUT.status.
 * The exit status is the worst of the conversions'. */
#include <pixmosaic.h>

#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { MaxJobs = 64, MaxWords = 24, LineLength = 4096 };

struct job {
    char line[LineLength];
    char *words[MaxWords];
    int count;
    int status;
};

static unsigned char *read_file(const char *path, size_t *size) {
    FILE *file = fopen(path, "rb");
    if (file == NULL) return NULL;
    size_t capacity = 1 << 16, length = 0;
    unsigned char *bytes = malloc(capacity);
    size_t got;
    while (bytes != NULL && (got = fread(bytes + length, 1, capacity - length, file)) > 0) {
        length += got;
        if (length == capacity) {
            unsigned char *grown = realloc(bytes, capacity *= 2);
            if (grown == NULL) free(bytes);
            bytes = grown;
        }
    }
    fclose(file);
    *size = length;
    return bytes;
}

static int write_file(const char *path, const char *suffix, const void *data, size_t size) {
    char name[LineLength + 16];
    snprintf(name, sizeof name, "%s%s", path, suffix);
    FILE *file = fopen(name, "wb");
    if (file == NULL) return -1;
    const int ok = fwrite(data, 1, size, file) == size;
    return fclose(file) == 0 && ok ? 0 : -1;
}

/* The preview as a PAM file (RGB_ALPHA), which image tools read. */
static int write_preview(const char *path, const pxm_result *result) {
    int width = 0, height = 0;
    const unsigned char *rgba = pxm_result_preview(result, &width, &height);
    if (rgba == NULL) return 0;
    char header[128];
    const int length = snprintf(header, sizeof header,
                                "P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n", width, height);
    char name[LineLength + 16];
    snprintf(name, sizeof name, "%s.pam", path);
    FILE *file = fopen(name, "wb");
    if (file == NULL) return -1;
    const size_t size = (size_t)width * (size_t)height * 4;
    const int ok = fwrite(header, 1, (size_t)length, file) == (size_t)length && fwrite(rgba, 1, size, file) == size;
    return fclose(file) == 0 && ok ? 0 : -1;
}

static void *convert(void *argument) {
    struct job *job = argument;
    job->status = 1;
    if (job->count < 2) return NULL;
    const char *input = job->words[0], *output = job->words[1];
    pxm_options *options = pxm_options_new();
    int width = 0, height = 0;
    size_t stride = 0;
    for (int w = 2; options != NULL && w < job->count; ++w) {
        char *equals = strchr(job->words[w], '=');
        if (equals == NULL) continue;
        *equals = '\0';
        if (strcmp(job->words[w], "rgba") == 0) {
            sscanf(equals + 1, "%dx%dx%zu", &width, &height, &stride);
        } else if (pxm_options_set(options, job->words[w], equals + 1) != 0) {
            fprintf(stderr, "%s: %s\n", input, pxm_options_error(options));
            pxm_options_free(options);
            return NULL;
        }
    }
    size_t size = 0;
    unsigned char *bytes = options == NULL ? NULL : read_file(input, &size);
    if (bytes == NULL) {
        fprintf(stderr, "%s: cannot be read\n", input);
        pxm_options_free(options);
        return NULL;
    }
    pxm_result *result = stride != 0 ? pxm_convert_rgba(options, bytes, width, height, stride)
                                     : pxm_convert(options, bytes, size);
    if (result != NULL) {
        job->status = pxm_result_status(result);
        size_t length = 0;
        const unsigned char *file = pxm_result_file(result, &length);
        const char *message = pxm_result_message(result);
        char status[8];
        snprintf(status, sizeof status, "%d\n", job->status);
        if ((file != NULL && write_file(output, "", file, length) != 0) ||
            write_file(output, ".txt", message, strlen(message)) != 0 ||
            write_file(output, ".status", status, strlen(status)) != 0 || write_preview(output, result) != 0) {
            fprintf(stderr, "%s: cannot be written\n", output);
            job->status = 1;
        }
        pxm_result_free(result);
    }
    free(bytes);
    pxm_options_free(options);
    return NULL;
}

int main(int argc, char **argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: pixmosaic-example JOBS (pixmosaic %s)\n", pxm_version());
        return 2;
    }
    FILE *list = fopen(argv[1], "r");
    if (list == NULL) {
        fprintf(stderr, "%s: cannot be read\n", argv[1]);
        return 2;
    }
    static struct job jobs[MaxJobs];
    int count = 0;
    while (count < MaxJobs && fgets(jobs[count].line, LineLength, list) != NULL) {
        struct job *job = &jobs[count];
        for (char *word = strtok(job->line, " \t\r\n"); word != NULL && job->count < MaxWords; word = strtok(NULL, " \t\r\n"))
            job->words[job->count++] = word;
        if (job->count > 0) ++count;
    }
    fclose(list);
    pthread_t threads[MaxJobs];
    for (int j = 0; j < count; ++j) pthread_create(&threads[j], NULL, convert, &jobs[j]);
    int worst = 0;
    for (int j = 0; j < count; ++j) {
        pthread_join(threads[j], NULL);
        if (jobs[j].status > worst) worst = jobs[j].status;
    }
    return worst;
}
