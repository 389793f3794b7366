; Loads a Koala Painter file with GIMP's C64 plug-in and saves it again with the same plug-in,
; which lays the cells out its own way. The background the plug-in saves with is GIMP's
; background colour: it is set to the picture's, C64 colour number `background`, from the
; colour map the plug-in loaded.
(define (koala-resave in out background)
  (let* ((image (car (file-koala-paint-load RUN-NONINTERACTIVE in in)))
         (drawable (car (gimp-image-get-active-drawable image)))
         (colours (cadr (gimp-image-get-colormap image)))
         (at (* 3 background)))
    (gimp-context-set-background
      (list (aref colours at) (aref colours (+ at 1)) (aref colours (+ at 2))))
    (file-koala-paint-save RUN-NONINTERACTIVE image drawable out out)))
