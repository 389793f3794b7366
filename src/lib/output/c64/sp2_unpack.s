; Unpacks an SP2 run-length stream, as the converter's packer writes it, block by block:
;   control $00-$7F  a literal: the next control + 1 bytes are copied as they stand
;   control $80-$FF  a run: the next byte, (control ^ $FF) + 2 times
; The stream is read up to sp2_end; the unpacker never reads what it writes, so the output
; may lie anywhere that does not overlap the stream (also under a ROM: writes reach the RAM).

        .exportzp from_ptr, to_ptr
        .export sp2_unpack, sp2_end

; The two pointers the unpacker walks; the displayer's copies walk them too.
        .segment "ZEROPAGE"
from_ptr:       .res 2
to_ptr:         .res 2

        .segment "DATA"
sp2_end:        .res 2          ; first byte after the stream

        .segment "CODE"

; In:  from_ptr = the stream, to_ptr = where its first byte goes, sp2_end set.
; Out: to_ptr = one past the last byte written, from_ptr = sp2_end.
; Changes: A, X, Y, from_ptr, to_ptr
sp2_unpack:
        lda from_ptr            ; done when from_ptr >= sp2_end
        cmp sp2_end
        lda from_ptr+1
        sbc sp2_end+1
        bcs done
        ldy #0
        lda (from_ptr),y        ; the control byte
        bmi run
        tax                     ; a literal of X + 1 bytes
        inx
copy_literal:
        iny                     ; to[y - 1] = from[y]: the bytes after the control byte
        lda (from_ptr),y
        dey
        sta (to_ptr),y
        iny
        dex
        bne copy_literal
        iny                     ; step over the control byte and the Y literal bytes
        tya
        dey
        jmp advance
run:
        eor #$FF                ; a run of A + 2 copies
        tax
        inx
        inx
        iny
        lda (from_ptr),y        ; the byte to repeat
        dey
fill_run:
        sta (to_ptr),y
        iny
        dex
        bne fill_run
        lda #2                  ; step over the control byte and the run's byte

; from_ptr += A, to_ptr += Y, then the next block.
advance:
        clc
        adc from_ptr
        sta from_ptr
        bcc :+
        inc from_ptr+1
:       tya
        clc
        adc to_ptr
        sta to_ptr
        bcc sp2_unpack
        inc to_ptr+1
        jmp sp2_unpack
done:
        rts
