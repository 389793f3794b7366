; The displayer a converted picture runs as a C64 program: BASIC's RUN calls it (SYS), it
; moves the picture where the VIC-II shows it, shows it in multicolour bitmap mode until a key
; is pressed and returns to BASIC on a cleared text screen, with the VIC-II, the border and
; background colours and the processor port as it found them.
;
; The VIC-II looks at bank 2 ($8000-$BFFF): the screen at $8000, the bitmap at $A000 (RAM
; under the BASIC ROM, which writes reach). The program itself, picture data included, ends
; below $4C00, so nothing the displayer reads is overwritten, and neither target meets the
; character ROM that the VIC-II sees at $9000-$9FFF.
; An SP2 picture is first unpacked to $A000: its bitmap lands in place, its screen and colour
; bytes are copied from behind it ($C000-$C7E7, free RAM) like those of a plain picture.

        .include "c64_machine.inc"

        .import sp2_unpack, sp2_end
        .importzp from_ptr, to_ptr
        .export params_stream, params_stream_end, params_bitmap, params_screen, params_colour
        .export params_background, params_border, unpack_to, show_picture

; The picture's place in bank 2
ScreenRam       = $8000
BitmapRam       = $A000
unpack_to       = BitmapRam     ; an SP2 stream is unpacked here, its bitmap first
Bank2           = %00000001     ; CIA2_VIC_BANK bits for $8000-$BFFF
BitmapBytes     = 8000
CellBytes       = 1000

; The picture's register values
MulticolourBitmapOn = $3B       ; VIC_CTRL1: bitmap mode, display on, 25 rows, vertical scroll 3
MulticolourOn   = $18           ; VIC_CTRL2: multicolour, 40 columns
PictureMemory   = $08           ; VIC_VIDEO_ADR: screen at bank + $0000, bitmap at bank + $2000
ClearScreen     = $93

        .segment "PARAMETERS"
; Filled in by the converter for each picture; every address is where the byte is on the C64.
params_stream:     .word 0      ; the SP2 stream, or 0 when the picture is stored unpacked
params_stream_end: .word 0      ; the first byte after the stream
params_bitmap:     .word 0      ; the picture's 8000 bitmap bytes
params_screen:     .word 0      ; its 1000 screen bytes (colours 01 and 10 of each cell)
params_colour:     .word 0      ; its 1000 colour bytes (colour 11 of each cell)
params_background: .byte 0      ; background colour
params_border:     .byte 0      ; border colour

        .segment "CODE"

; The entry point.
; In:  the parameter block filled in; the interrupts on, as BASIC runs
; Out: returns to the caller through CHROUT after a key was pressed; the interrupt flag, the
;      processor port, the VIC-II bank and registers as found; the text screen cleared
; Changes: A, X, Y, from_ptr, to_ptr, the keyboard buffer; RAM at $8000-$83E7 and $A000-$C7E7
show_picture:
        jsr keep_found
        php
        sei                     ; the BASIC ROM banked out only while no interrupt can call it
        jsr basic_rom_out
        jsr unpack_stream
        jsr copy_parts
        jsr basic_rom_back
        plp
        jsr show_bitmap
        jsr wait_key
        jsr restore_found
        lda #ClearScreen        ; also gives colour RAM the text colour again
        jmp CHROUT              ; its RTS returns to the caller

; Notes what the displayer is going to change: the processor port, the VIC-II bank and
; registers.
; In:  nothing
; Out: found_port, found_bank, found_vic set
; Changes: A, X, Y
keep_found:
        lda CPU_PORT
        sta found_port
        lda CIA2_PRA
        and #CIA2_VIC_BANK
        sta found_bank
        ldx #VicRegisterCount - 1
keep_register:
        ldy vic_registers,x
        lda VIC,y
        sta found_vic,x
        dex
        bpl keep_register
        lda found_vic           ; VIC_CTRL1 reads the beam's line, not the compare value:
        and #<~VIC_RASTER_HI    ; bit 8 of the compare line goes back as 0, as at power-up
        sta found_vic
        rts

; Puts back what keep_found noted, VIC_CTRL1 first so that the bitmap goes at once.
; In:  found_bank, found_vic as keep_found set them
; Out: the VIC-II registers and bank as found
; Changes: A, X, Y
restore_found:
        ldx #0
restore_register:
        ldy vic_registers,x
        lda found_vic,x
        sta VIC,y
        inx
        cpx #VicRegisterCount
        bne restore_register
        lda found_bank
        jmp select_bank

; Banks the BASIC ROM out, so that reads from $A000-$BFFF see the RAM; the port's other bits
; stay as they are.
; In:  the interrupts off
; Out: LORAM clear in CPU_PORT
; Changes: A
basic_rom_out:
        lda CPU_PORT
        and #<~LORAM
        sta CPU_PORT
        rts

; Gives CPU_PORT's LORAM bit back the state it was found in; the other bits stay as they are.
; In:  found_port set
; Out: LORAM in CPU_PORT as in found_port
; Changes: A
basic_rom_back:
        lda found_port
        eor CPU_PORT            ; the bits that differ...
        and #LORAM              ; ...of which only LORAM...
        eor CPU_PORT            ; ...flips back
        sta CPU_PORT
        rts

; Unpacks the SP2 stream to unpack_to, if the picture is packed.
; In:  params_stream (0: stored unpacked), params_stream_end; the BASIC ROM out
; Out: the stream's layout at unpack_to
; Changes: A, X, Y, from_ptr, to_ptr, sp2_end
unpack_stream:
        lda params_stream+1     ; a stream never stands in the zero page
        beq no_stream
        lda params_stream
        sta from_ptr
        lda params_stream+1
        sta from_ptr+1
        lda params_stream_end
        sta sp2_end
        lda params_stream_end+1
        sta sp2_end+1
        lda #<unpack_to
        sta to_ptr
        lda #>unpack_to
        sta to_ptr+1
        jmp sp2_unpack
no_stream:
        rts

; Copies bitmap, screen and colour to where the VIC-II shows them, each part by whole pages
; and then the rest.
; In:  params_bitmap, params_screen, params_colour; the BASIC ROM out, the I/O in
; Out: the bitmap at BitmapRam, the screen at ScreenRam, the colours in COLOUR_RAM
; Changes: A, X, Y, from_ptr, to_ptr, pages_left
copy_parts:
        ldx #0
next_part:
        ldy parts+PartSource,x
        lda params_stream,y
        sta from_ptr
        lda params_stream+1,y
        sta from_ptr+1
        lda #0
        sta to_ptr
        lda parts+PartTarget,x
        sta to_ptr+1
        lda parts+PartPages,x
        sta pages_left
        ldy #0
        cmp #0
        beq copy_rest
copy_page:
        lda (from_ptr),y
        sta (to_ptr),y
        iny
        bne copy_page
        inc from_ptr+1
        inc to_ptr+1
        dec pages_left
        bne copy_page
copy_rest:                      ; Y = 0: the bytes after the whole pages
        tya
        cmp parts+PartRest,x
        beq part_done
        lda (from_ptr),y
        sta (to_ptr),y
        iny
        bne copy_rest
part_done:
        txa
        clc
        adc #PartRowSize
        tax
        cpx #PartsSize
        bne next_part
        rts

; Shows the picture: its border and background colours, bank 2, multicolour bitmap mode.
; In:  params_background, params_border; the picture in place
; Out: the VIC-II showing the picture
; Changes: A
show_bitmap:
        lda params_border
        sta VIC_BORDERCOLOR
        lda params_background
        sta VIC_BG_COLOR0
        lda #Bank2
        jsr select_bank
        lda #PictureMemory
        sta VIC_VIDEO_ADR
        lda #MulticolourOn
        sta VIC_CTRL2
        lda #MulticolourBitmapOn
        sta VIC_CTRL1
        rts

; Waits for a key, read through the KERNAL (its interrupt scans the keyboard).
; In:  the interrupts on
; Out: the key taken from the keyboard buffer
; Changes: A, X, Y
wait_key:
        lda #0                  ; a key pressed before the picture showed does not count
        sta KEY_COUNT
next_key:
        jsr GETIN
        beq next_key
        rts

; Sets the VIC-II bank, leaving the port's other lines as they are.
; In:  A = the CIA2_VIC_BANK bits
; Out: the bank selected
; Changes: A
select_bank:
        sta bank_bits
        lda CIA2_PRA
        and #<~CIA2_VIC_BANK
        ora bank_bits
        sta CIA2_PRA
        rts

; The VIC-II registers the displayer sets, as offsets from VIC, in the order they go back;
; VIC_CTRL1 first (keep_found masks found_vic's first byte).
vic_registers:  .byte <(VIC_CTRL1 - VIC), <(VIC_CTRL2 - VIC), <(VIC_VIDEO_ADR - VIC)
                .byte <(VIC_BORDERCOLOR - VIC), <(VIC_BG_COLOR0 - VIC)
VicRegisterCount = * - vic_registers

; The three parts copy_parts copies, one row each: the parameter naming the source (its
; offset in the block), the target page, the whole pages, the bytes after them.
PartSource      = 0
PartTarget      = 1
PartPages       = 2
PartRest        = 3
PartRowSize     = 4
parts:          .byte params_bitmap - params_stream, >BitmapRam, >BitmapBytes, <BitmapBytes
                .byte params_screen - params_stream, >ScreenRam, >CellBytes, <CellBytes
                .byte params_colour - params_stream, >COLOUR_RAM, >CellBytes, <CellBytes
PartsSize       = * - parts

        .segment "DATA"
; What the displayer notes while it runs (after the tables: found_vic's size is known there).
pages_left:     .res 1          ; of the part being copied
bank_bits:      .res 1          ; select_bank's argument
found_port:     .res 1          ; CPU_PORT as the displayer found it
found_bank:     .res 1          ; the VIC-II bank bits as found
found_vic:      .res VicRegisterCount   ; the registers of vic_registers as found
