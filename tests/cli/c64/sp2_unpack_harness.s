; A sim65 program around the displayer's SP2 unpacker: reads a stream from stdin, unpacks it
; with sp2_unpack and writes what it unpacked to stdout. Exit status 1 when stdin cannot be read.

        .import sp2_unpack, sp2_end
        .importzp from_ptr, to_ptr
        .import read_input, input_end, write_output, output_count
        .export _main

StreamCapacity  = $4000         ; more than any stream the packer writes
OutputCapacity  = $2A00         ; the 10216-byte layout and a run's worth beyond

        .segment "BSS"
stream:         .res StreamCapacity
output:         .res OutputCapacity

        .segment "CODE"
_main:
        lda #<stream
        ldx #>stream
        jsr read_input
        bcs failed
        lda #<stream
        sta from_ptr
        lda #>stream
        sta from_ptr+1
        lda #<output
        sta to_ptr
        lda #>output
        sta to_ptr+1
        lda input_end
        sta sp2_end
        lda input_end+1
        sta sp2_end+1
        jsr sp2_unpack

        lda to_ptr              ; write out to_ptr - output bytes
        sec
        sbc #<output
        sta output_count
        lda to_ptr+1
        sbc #>output
        sta output_count+1
        lda #<output
        ldx #>output
        jsr write_output
        lda #0
        tax
        rts
failed:
        lda #1
        ldx #0
        rts
