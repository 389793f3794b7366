; Stdin and stdout for the sim65 programs around the displayer and its parts: all of stdin
; into memory, memory out to stdout.

        .import _read, _write, pushax
        .export read_input, input_end, write_output, output_count

StdIn           = 0
StdOut          = 1
ReadChunk       = 4096

        .segment "BSS"
input_end:      .res 2          ; where the next byte read goes
output_count:   .res 2          ; write_output's byte count

        .segment "CODE"

; In:  A/X = where the first byte goes (room for all of stdin behind it)
; Out: input_end = one past the last byte read; C clear, or set when stdin could not be read
; Changes: A, X, Y, the C runtime's zero page
read_input:
        sta input_end
        stx input_end+1
read_more:
        lda #StdIn              ; read(StdIn, input_end, ReadChunk)
        ldx #0
        jsr pushax
        lda input_end
        ldx input_end+1
        jsr pushax
        lda #<ReadChunk
        ldx #>ReadChunk
        jsr _read
        cpx #$FF                ; -1: an error
        beq failed
        cpx #0
        bne got
        cmp #0
        beq done                ; 0: the end of the input
got:    clc
        adc input_end
        sta input_end
        txa
        adc input_end+1
        sta input_end+1
        jmp read_more
done:   clc
        rts
failed: sec
        rts

; In:  A/X = the first byte to write, output_count = how many
; Out: the bytes on stdout (a failed write shows as output cut short)
; Changes: A, X, Y, the C runtime's zero page
write_output:
        pha                     ; write(StdOut, A/X, output_count)
        txa
        pha
        lda #StdOut
        ldx #0
        jsr pushax
        pla
        tax
        pla
        jsr pushax
        lda output_count
        ldx output_count+1
        jmp _write
