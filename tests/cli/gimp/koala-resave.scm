; Loads a Koala Painter file with GIMP's C64 plug-in and saves it again with one of the plug-ins
; (`save`: file-koala-paint-save, file-advanced-artstudio-save), which lays the cells out its own
; way. The background the plug-in saves with is GIMP's background colour: it is set to the
; picture's, C64 colour number `background`, from the colour map the plug-in loaded.
(define (c64-resave save in out background)
  (let* ((image (car (file-koala-paint-load RUN-NONINTERACTIVE in in)))
         (drawable (car (gimp-image-get-active-drawable image)))
         (colours (cadr (gimp-image-get-colormap image)))
         (at (* 3 background)))
    (gimp-context-set-background
      (list (aref colours at) (aref colours (+ at 1)) (aref colours (+ at 2))))
    (save RUN-NONINTERACTIVE image drawable out out)))

(define (koala-resave in out background) (c64-resave file-koala-paint-save in out background))
