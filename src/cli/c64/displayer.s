; The displayer a converted picture runs as a C64 program: BASIC's RUN calls it (SYS), it
; moves the picture where the VIC-II shows it, shows it in multicolour bitmap mode until a key
; is pressed and returns to BASIC with the normal text screen.
;
; The VIC-II looks at bank 2 ($8000-$BFFF): the screen at $8000, the bitmap at $A000 (RAM
; under the BASIC ROM, which writes reach). The program itself, picture data included, ends
; below $4C00, so nothing the displayer reads is overwritten, and neither target meets the
; character ROM that the VIC-II sees at $9000-$9FFF.
; An SP2 picture is first unpacked to $A000: its bitmap lands in place, its screen and colour
; bytes are copied from behind it ($C000-$C7E7, free RAM) like those of a plain picture.

        .import sp2_unpack, sp2_end
        .importzp from_ptr, to_ptr
        .export params_stream, params_stream_end, params_bitmap, params_screen, params_colour
        .export params_background, unpack_to, show_picture

; Memory and I/O
CpuPort         = $01           ; bit 0 set: the BASIC ROM at $A000-$BFFF
RomsIn          = $37           ; BASIC, KERNAL and I/O: as BASIC runs
BasicOut        = $36           ; KERNAL and I/O: reads from $A000-$BFFF see the RAM
KeysWaiting     = $C6           ; number of keys in the keyboard buffer
TextColour      = $0286         ; the colour the screen editor writes with
ColourRam       = $D800
VicControl1     = $D011
VicControl2     = $D016
VicMemory       = $D018
BorderColour    = $D020
BackgroundColour = $D021
Cia2PortA       = $DD00         ; bits 0-1: the VIC-II bank, inverted
VicBankBits     = %00000011
GETIN           = $FFE4
CHROUT          = $FFD2

; The picture's place in bank 2
ScreenRam       = $8000
BitmapRam       = $A000
unpack_to       = BitmapRam     ; an SP2 stream is unpacked here, its bitmap first
Bank2           = %00000001     ; Cia2PortA bits for $8000-$BFFF
BitmapBytes     = 8000
CellBytes       = 1000

; Register values: the picture's, then the power-up ones
MulticolourBitmapOn = $3B       ; bitmap mode, display on, 25 rows, vertical scroll 3
MulticolourOn   = $18           ; multicolour, 40 columns
PictureMemory   = $08           ; screen at bank + $0000, bitmap at bank + $2000
TextOn          = $1B
TextColumns     = $08
TextMemory      = $15           ; screen at $0400, upper-case characters
Bank0           = %00000011
LightBlue       = 14
Blue            = 6
ClearScreen     = $93

        .segment "PARAMETERS"
; Filled in by the converter for each picture; every address is where the byte is on the C64.
params_stream:     .word 0      ; the SP2 stream, or 0 when the picture is stored unpacked
params_stream_end: .word 0      ; the first byte after the stream
params_bitmap:     .word 0      ; the picture's 8000 bitmap bytes
params_screen:     .word 0      ; its 1000 screen bytes (colours 01 and 10 of each cell)
params_colour:     .word 0      ; its 1000 colour bytes (colour 11 of each cell)
params_background: .byte 0      ; background and border colour

        .segment "DATA"
pages_left:     .res 1          ; of the part being copied
bank_bits:      .res 1

        .segment "CODE"
show_picture:
        sei                     ; the ROM banked out only while no interrupt can call it
        lda #BasicOut
        sta CpuPort
        lda params_stream+1     ; a stream never stands in the zero page
        beq copy_parts
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
        jsr sp2_unpack

copy_parts:                     ; bitmap, screen and colour to where the VIC-II shows them
        ldx #0
next_part:
        ldy part_source,x
        lda params_stream,y
        sta from_ptr
        lda params_stream+1,y
        sta from_ptr+1
        lda #0
        sta to_ptr
        lda part_target,x
        sta to_ptr+1
        lda part_pages,x
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
        cmp part_rest,x
        beq part_done
        lda (from_ptr),y
        sta (to_ptr),y
        iny
        bne copy_rest
part_done:
        inx
        cpx #PartCount
        bne next_part
        lda #RomsIn
        sta CpuPort
        cli

        lda params_background
        sta BorderColour
        sta BackgroundColour
        lda #Bank2
        jsr select_bank
        lda #PictureMemory
        sta VicMemory
        lda #MulticolourOn
        sta VicControl2
        lda #MulticolourBitmapOn
        sta VicControl1

        lda #0                  ; a key pressed before the picture showed does not count
        sta KeysWaiting
wait_key:
        jsr GETIN               ; the KERNAL's interrupt scans the keyboard
        beq wait_key

        lda #TextOn
        sta VicControl1
        lda #TextColumns
        sta VicControl2
        lda #TextMemory
        sta VicMemory
        lda #Bank0
        jsr select_bank
        lda #LightBlue
        sta BorderColour
        sta TextColour
        lda #Blue
        sta BackgroundColour
        lda #ClearScreen        ; also gives colour RAM the text colour again
        jmp CHROUT              ; its RTS returns to BASIC

; Sets the VIC-II bank to A's bits, leaving the port's other lines as they are.
select_bank:
        sta bank_bits
        lda Cia2PortA
        and #<~VicBankBits
        ora bank_bits
        sta Cia2PortA
        rts

; The three parts: the parameter naming the source, the target page, whole pages, the rest.
PartCount       = 3
part_source:    .byte params_bitmap - params_stream, params_screen - params_stream
                .byte params_colour - params_stream
part_target:    .byte >BitmapRam, >ScreenRam, >ColourRam
part_pages:     .byte >BitmapBytes, >CellBytes, >CellBytes
part_rest:      .byte <BitmapBytes, <CellBytes, <CellBytes
