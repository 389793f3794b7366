; A sim65 program around the displayer's SP2 unpacker: reads a stream from stdin, unpacks it
; with sp2_unpack and writes what it unpacked to stdout. Exit status 1 when stdin cannot be read.

        .import sp2_unpack, sp2_end
        .importzp from_ptr, to_ptr
        .import _read, _write, pushax
        .export _main

StdIn           = 0
StdOut          = 1
ReadChunk       = 4096
StreamCapacity  = $4000         ; more than any stream the packer writes
OutputCapacity  = $2A00         ; the 10216-byte layout and a run's worth beyond

        .segment "BSS"
stream:         .res StreamCapacity
output:         .res OutputCapacity
stream_end:     .res 2          ; where the next read goes

        .segment "CODE"
_main:
        lda #<stream
        sta stream_end
        lda #>stream
        sta stream_end+1
read_more:
        lda #StdIn              ; read(StdIn, stream_end, ReadChunk)
        ldx #0
        jsr pushax
        lda stream_end
        ldx stream_end+1
        jsr pushax
        lda #<ReadChunk
        ldx #>ReadChunk
        jsr _read
        cpx #$FF                ; -1: an error
        beq failed
        cpx #0
        bne got
        cmp #0
        beq unpack              ; 0: the end of the input
got:    clc
        adc stream_end
        sta stream_end
        txa
        adc stream_end+1
        sta stream_end+1
        jmp read_more

unpack:
        lda #<stream
        sta from_ptr
        lda #>stream
        sta from_ptr+1
        lda #<output
        sta to_ptr
        lda #>output
        sta to_ptr+1
        lda stream_end
        sta sp2_end
        lda stream_end+1
        sta sp2_end+1
        jsr sp2_unpack

        lda #StdOut             ; write(StdOut, output, to_ptr - output)
        ldx #0
        jsr pushax
        lda #<output
        ldx #>output
        jsr pushax
        lda to_ptr
        sec
        sbc #<output
        pha
        lda to_ptr+1
        sbc #>output
        tax
        pla
        jsr _write
        lda #0
        tax
        rts
failed:
        lda #1
        ldx #0
        rts
