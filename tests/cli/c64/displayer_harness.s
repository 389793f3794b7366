; A sim65 program that runs a whole C64 program as the converter writes it (-x): it loads the
; PRG file from stdin to its load address, sets up a C64 as a BASIC program would find it and
; calls the program's SYS address. sim65 has no VIC-II, CIAs or KERNAL: their registers are
; plain memory here, and the harness plays the two KERNAL routines the displayer calls, GETIN
; and CHROUT. It writes to stdout three snapshots (as found, while the picture shows, as left):
; each the record of record_sources, then the bitmap at $A000, the screen at $8000 and colour
; RAM; then how often GETIN was called, how many characters went to CHROUT, and the first
; PrintedCapacity of them.
; Exit status 1 when stdin cannot be read, 2 when it holds no program for $0801.

        .include "c64_machine.inc"

        .import read_input, write_output, output_count
        .export _main

ProgramLoad     = $0801         ; the PRG's load address: BASIC's start
ProgramSys      = $080D         ; what its line 10 SYS 2061 calls
LoadAt          = ProgramLoad - 2       ; the PRG file, load address first
JmpOpcode       = $4C           ; the harness's GETIN and CHROUT are jumps to its hooks
ReturnKey       = $0D
PrintedCapacity = 8
Filler          = $E5           ; what the picture's targets hold before the program runs
BitmapRam       = $A000         ; where the displayer shows the picture: bank 2's bitmap...
ScreenRam       = $8000         ; ...and screen
BitmapBytes     = 8000
CellBytes       = 1000

        .segment "ZEROPAGE"
peek:           .res 2          ; the address snapshot and found_state read or write

        .segment "RODATA"
; What the snapshot's record holds, byte by byte.
record_sources: .addr CPU_PORT, VIC_CTRL1, VIC_CTRL2, VIC_VIDEO_ADR, VIC_BORDERCOLOR
                .addr VIC_BG_COLOR0, CIA2_PRA, KEY_COUNT, flags
RecordSize      = (* - record_sources) / 2
; What a snapshot writes: address and size of each region.
regions:        .addr record, RecordSize, BitmapRam, BitmapBytes, ScreenRam, CellBytes
                .addr COLOUR_RAM, CellBytes
RegionsSize     = * - regions
; The C64 as the program finds it: no power-up values, so that a displayer that restores
; those instead of what it found fails. VIC_CTRL1 reads the beam in line 256 or later.
found_state:    .addr CPU_PORT
                .byte $27       ; the ROMs and I/O in, a cassette key held down
                .addr VIC_CTRL1
                .byte $9C       ; text, vertical scroll 4
                .addr VIC_CTRL2
                .byte $C9       ; 40 columns, horizontal scroll 1
                .addr VIC_VIDEO_ADR
                .byte $17       ; lower-case characters
                .addr VIC_BORDERCOLOR
                .byte 2
                .addr VIC_BG_COLOR0
                .byte 5
                .addr CIA2_PRA
                .byte $96       ; VIC-II bank 1, serial lines and RS-232 as after power-up
                .addr KEY_COUNT
                .byte 3         ; keys pressed before RUN
FoundStateSize  = * - found_state
; The pages the picture goes to, filled with Filler first: start page, pages.
targets:        .byte >ScreenRam, 4, >BitmapRam, 32, >COLOUR_RAM, 4
TargetsSize     = * - targets

        .segment "BSS"
flags:          .res 1          ; the processor status when the snapshot was taken
record:         .res RecordSize
at:             .res 1          ; a table position
record_at:      .res 1
chrout_x:       .res 1
; The trailer on stdout, in this order.
getin_calls:    .res 1
printed_count:  .res 1
printed:        .res PrintedCapacity
TrailerSize     = * - getin_calls

        .segment "CODE"
_main:
        lda #<LoadAt
        ldx #>LoadAt
        jsr read_input
        bcs unreadable
        lda LoadAt
        cmp #<ProgramLoad
        bne no_program
        lda LoadAt+1
        cmp #>ProgramLoad
        bne no_program
        jsr play_kernal
        jsr fill_targets
        jsr set_found
        cli                     ; as BASIC runs
        jsr snapshot
        jsr ProgramSys
        jsr snapshot
        lda #<TrailerSize
        sta output_count
        lda #>TrailerSize
        sta output_count+1
        lda #<getin_calls
        ldx #>getin_calls
        jsr write_output
        lda #0
        tax
        rts
unreadable:
        lda #1
        ldx #0
        rts
no_program:
        lda #2
        ldx #0
        rts

; Puts jumps to the harness's hooks where the KERNAL's GETIN and CHROUT stand.
; In: nothing. Out: GETIN and CHROUT callable. Changes: A
play_kernal:
        lda #JmpOpcode
        sta GETIN
        sta CHROUT
        lda #<getin_hook
        sta GETIN+1
        lda #>getin_hook
        sta GETIN+2
        lda #<chrout_hook
        sta CHROUT+1
        lda #>chrout_hook
        sta CHROUT+2
        rts

; GETIN: the first call takes the snapshot while the picture shows and finds no key, the
; next ones find the return key.
; In: nothing. Out: A = the key or 0, Z set when 0. Changes: A, X, Y
getin_hook:
        inc getin_calls
        lda getin_calls
        cmp #1
        bne key
        jsr snapshot
        lda #0
        rts
key:    lda #ReturnKey
        rts

; CHROUT: notes the character.
; In: A = the character. Out: nothing. Changes: nothing
chrout_hook:
        stx chrout_x
        ldx printed_count
        cpx #PrintedCapacity
        bcs :+
        sta printed,x
        inc printed_count
:       ldx chrout_x
        rts

; Fills the pages the picture goes to with Filler, so that a part not copied shows.
; In: nothing. Out: the targets filled. Changes: A, X, Y, peek, at
fill_targets:
        ldx #0
        stx peek
next_target:
        lda targets,x
        sta peek+1
        lda targets+1,x
        sta at
        lda #Filler
        ldy #0
fill_page:
        sta (peek),y
        iny
        bne fill_page
        inc peek+1
        dec at
        bne fill_page
        inx
        inx
        cpx #TargetsSize
        bne next_target
        rts

; Sets the registers of found_state.
; In: nothing. Out: the C64 as the program finds it. Changes: A, X, Y, peek
set_found:
        ldx #0
        ldy #0
next_found:
        lda found_state,x
        sta peek
        lda found_state+1,x
        sta peek+1
        lda found_state+2,x
        sta (peek),y
        inx
        inx
        inx
        cpx #FoundStateSize
        bne next_found
        rts

; Writes a snapshot to stdout: the record of record_sources, then the regions.
; In: nothing. Out: the snapshot on stdout, its processor status that of the caller (the
; interrupt flag is the same inside the hooks as in the code that called the KERNAL).
; Changes: A, X, Y, peek, at, record_at, the C runtime's zero page
snapshot:
        php
        pla
        sta flags
        ldx #0
        stx record_at
next_source:
        lda record_sources,x
        sta peek
        lda record_sources+1,x
        sta peek+1
        ldy #0
        lda (peek),y
        ldy record_at
        sta record,y
        inc record_at
        inx
        inx
        cpx #RecordSize * 2
        bne next_source
        ldx #0
next_region:
        stx at
        lda regions+2,x
        sta output_count
        lda regions+3,x
        sta output_count+1
        lda regions,x
        pha
        lda regions+1,x
        tax
        pla
        jsr write_output
        lda at
        clc
        adc #4
        tax
        cpx #RegionsSize
        bne next_region
        rts
