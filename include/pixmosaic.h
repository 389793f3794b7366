/* Pixmosaic: PC pictures into Commodore 64 multicolour pictures, from C or any language that
 * calls C (WebAssembly included).
 *
 * Options are built once and may be shared by any number of conversions; each conversion gives
 * a result of its own. Nothing is kept between calls, so separate handles may be used from
 * separate threads at once; one options handle may be read by several threads while nothing
 * sets it. Every result, refused or not, is freed with pxm_result_free. */
#ifndef PIXMOSAIC_H
#define PIXMOSAIC_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct pxm_options pxm_options;
typedef struct pxm_result pxm_result;

/* The version, as pixmosaic-cli --version prints it ("1.2b"). */
const char *pxm_version(void);

/* The converter's defaults; NULL only when memory ran out. */
pxm_options *pxm_options_new(void);
void pxm_options_free(pxm_options *options);

/* One long option of pixmosaic-cli without its dashes and its value as typed there:
 * ("format", "koala"), ("nearest", "1"), ("dither-strength", "0.5"). A switch takes "1" or "0".
 * 0, or -1 with the converter's words for what is wrong in pxm_options_error. */
int pxm_options_set(pxm_options *options, const char *name, const char *value);
/* What the last failed pxm_options_set said; "" when it succeeded. */
const char *pxm_options_error(const pxm_options *options);

/* Converts a file's bytes (any input pixmosaic-cli reads: a BMP, a C64 file, and the pictures
 * whose decoders the library was built with), as "pixmosaic-cli OPTIONS - -o -" converts them
 * from standard input. NULL only when memory ran out. */
pxm_result *pxm_convert(const pxm_options *options, const unsigned char *data, size_t size);
/* Converts 8-bit RGBA pixels (sRGB, rows 'stride' bytes apart) as a PNG of them is converted. */
pxm_result *pxm_convert_rgba(const pxm_options *options, const unsigned char *rgba, int width, int height,
                             size_t stride);

/* The converter's exit status: 0 written, 1 refused, 2 options that do not go together (as a
 * usage error of the command line). */
int pxm_result_status(const pxm_result *result);
/* The output file's bytes, or NULL when refused; its length in *size when size is not NULL. */
const unsigned char *pxm_result_file(const pxm_result *result, size_t *size);
/* What the converter prints, its lines in order, each ending in a newline (UTF-8). */
const char *pxm_result_message(const pxm_result *result);
/* The picture as a C64 shows it (--preview): 320 x 200 RGBA, or NULL when refused; for a
 * refused picture that a clash map can be drawn of, the clash map instead. */
const unsigned char *pxm_result_preview(const pxm_result *result, int *width, int *height);
void pxm_result_free(pxm_result *result);

#ifdef __cplusplus
}
#endif

#endif
