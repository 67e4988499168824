; Stands in for a wrapper tool that is a DOS program, run inside DOSBox. Started in the
; job base directory with "last.xml;nnnn" (that entity) or "last.xml" (every entity of
; the file), it looks up each entity's origin, the output folder and the system name in
; last.xml, writes <Output_Dir>\SRCnnnn.XML naming the entity and the program that ran,
; appends a line to the product log <SystemName>.LOG and prints the entity marker the
; shell's console reader knows.
; Exit status: 0 done, 2 bad argument, 3 last.xml unreadable, 4 entity not in last.xml,
; 5 result not written.

        cpu 386
        org 100h

BUFSIZE equ 40000

start:
        cld
        call parse_tail
        jc usage
        call own_name
        call read_parameters
        jc no_parameters
        call find_output_dir
        call find_system_name
        cmp byte [numlen], 0
        je every_entity
        call entity
        jc not_listed
        jmp done

; "last.xml" alone: entities 0001, 0002, ... as long as the file lists them.
every_entity:
        mov dword [number], '0001'
        mov byte [numlen], 4
.next:  call entity
        jc .end
        inc byte [entities]
        call next_number
        jmp .next
.end:   cmp byte [entities], 0
        je not_listed

done:   mov ax, 4C00h
        int 21h

usage:  mov si, t_usage
        mov al, 2
        jmp fail
no_parameters:
        mov si, t_unreadable
        mov al, 3
        jmp fail
not_listed:
        mov si, t_not_listed
        mov al, 4
        jmp fail
not_written:
        mov si, t_not_written
        mov al, 5
fail:   push ax
        mov di, outbuf
        call append
        mov bx, 2
        call write_outbuf
        pop ax
        mov ah, 4Ch
        int 21h

; The command tail (its length at 80h, its text from 81h): "last.xml" and, after a
; semicolon, four or five digits (an 8.3 name holds no more). numlen 0: no number.
parse_tail:
        mov si, 81h
        xor ch, ch
        mov cl, [80h]
.semicolon:
        jcxz .none
        lodsb
        dec cx
        cmp al, ';'
        jne .semicolon
        mov di, number
        xor bx, bx
.digit: jcxz .digits
        lodsb
        dec cx
        cmp al, '0'
        jb .digits
        cmp al, '9'
        ja .digits
        cmp bx, 5
        je .bad
        stosb
        inc bx
        jmp .digit
.digits:
        cmp bx, 4
        jb .bad
        mov [numlen], bl
        clc
        ret
.none:  mov byte [numlen], 0
        clc
        ret
.bad:   stc
        ret

; One entity: its result file, its marker line and its product log line; carry set when
; last.xml does not list it.
entity:
        ; <Orig_File_nnnn>
        mov di, key
        mov si, t_orig
        call append
        call append_number
        mov al, '>'
        stosb
        call find_key
        jc .end
        mov di, origin
        mov cx, 120
        mov bl, '<'
        call copy_value
        mov byte [di], 0

        mov di, outbuf
        mov si, t_marker
        call append
        mov si, origin
        call append
        mov si, t_crlf
        call append
        mov bx, 1
        call write_outbuf

        ; <Output_Dir>\SRCnnnn.XML, the folder made when it is missing.
        mov dx, outdir
        mov ah, 39h
        int 21h
        mov di, path
        mov si, outdir
        call append
        mov si, t_src
        call append
        call append_number
        mov si, t_xml_ext
        call append
        mov byte [di], 0

        mov di, outbuf
        mov si, t_head
        call append
        call append_number
        mov si, t_tool
        call append
        mov si, tool
        call append
        mov si, t_origin
        call append
        mov si, origin
        call append
        mov si, t_tail
        call append

        mov dx, path
        xor cx, cx
        mov ah, 3Ch
        int 21h
        jc not_written
        mov bx, ax
        call write_outbuf
        jc not_written
        mov ah, 3Eh
        int 21h
        call log_line
        clc
.end:   ret

; Appends "<program> SRCnnnn <origin>" to <SystemName>.LOG, made when it is missing.
log_line:
        cmp byte [sysname], 0
        je .end
        mov di, path
        mov si, sysname
        call append
        mov si, t_log_ext
        call append
        mov byte [di], 0
        mov dx, path
        mov ax, 3D01h
        int 21h
        jnc .opened
        mov dx, path
        xor cx, cx
        mov ah, 3Ch
        int 21h
        jc .end
.opened:
        mov bx, ax
        mov ax, 4202h
        xor cx, cx
        xor dx, dx
        int 21h
        mov di, outbuf
        mov si, tool
        call append
        mov si, t_space_src
        call append
        call append_number
        mov al, ' '
        stosb
        mov si, origin
        call append
        mov si, t_crlf
        call append
        call write_outbuf
        mov ah, 3Eh
        int 21h
.end:   ret

; The decimal digits of number counted up by one.
next_number:
        xor bx, bx
        mov bl, [numlen]
.digit: dec bx
        js .end
        inc byte [number + bx]
        cmp byte [number + bx], '9'
        jbe .end
        mov byte [number + bx], '0'
        jmp .digit
.end:   ret

; <Output_Dir>, WRAPOUT when the file names none.
find_output_dir:
        mov di, key
        mov si, t_outdir
        call append
        call find_key
        jc .default
        mov di, outdir
        mov cx, 64
        mov bl, '<'
        call copy_value
        cmp di, outdir
        jne .end
.default:
        mov di, outdir
        mov si, t_wrapout
        call append
.end:   mov byte [di], 0
        ret

; SystemName = "...": the product log's name; empty when the file names none.
find_system_name:
        mov di, sysname
        mov byte [di], 0
        mov di, key
        mov si, t_system
        call append
        call find_key
        jc .end
        call skip_to_quote
        jc .end
        mov di, sysname
        mov cx, 8
        mov bl, '"'
        call copy_value
        mov byte [di], 0
.end:   ret

; Appends the zero-terminated text at si to di (without the zero).
append: lodsb
        or al, al
        jz .end
        stosb
        jmp append
.end:   ret

append_number:
        mov si, number
        xor cx, cx
        mov cl, [numlen]
        rep movsb
        ret

; Writes outbuf up to di to handle bx; carry set when it failed.
write_outbuf:
        mov dx, outbuf
        mov cx, di
        sub cx, dx
        mov ah, 40h
        int 21h
        ret

; The program's own path: after the environment strings and their closing zero, a
; word, then the path.
own_name:
        mov di, tool
        push ds
        mov ds, [2Ch]
        xor si, si
.scan:  cmp word [si], 0
        je .found
        inc si
        cmp si, 7FF0h
        jb .scan
        jmp .end
.found: add si, 4
        mov cx, 79
.copy:  lodsb
        or al, al
        jz .end
        stosb
        loop .copy
.end:   pop ds
        mov byte [di], 0
        ret

; Reads last.xml into buffer; carry set when it could not be read.
read_parameters:
        mov dx, t_parameters
        mov ax, 3D00h
        int 21h
        jc .end
        mov bx, ax
        mov ah, 3Fh
        mov cx, BUFSIZE
        mov dx, buffer
        int 21h
        pushf
        mov [buflen], ax
        mov ah, 3Eh
        int 21h
        popf
.end:   ret

; Looks for the text from key up to di in the buffer; on success carry is clear and
; si points after it.
find_key:
        mov [keylen], di
        sub word [keylen], key
        mov dx, [buflen]
        sub dx, [keylen]
        jb .none
        add dx, buffer
        mov si, buffer
.try:   cmp si, dx
        ja .none
        push si
        mov di, key
        mov cx, [keylen]
        repe cmpsb
        pop si
        je .hit
        inc si
        jmp .try
.hit:   add si, [keylen]
        clc
        ret
.none:  stc
        ret

; Moves si past the next double quote within the buffer; carry set when there is none.
skip_to_quote:
        mov dx, buffer
        add dx, [buflen]
.next:  cmp si, dx
        jae .none
        lodsb
        cmp al, '"'
        jne .next
        clc
        ret
.none:  stc
        ret

; Copies from si to di until the byte in bl, a line end or the buffer's end, at most
; cx bytes.
copy_value:
        mov dx, buffer
        add dx, [buflen]
.next:  jcxz .end
        cmp si, dx
        jae .end
        lodsb
        cmp al, bl
        je .end
        cmp al, 13
        je .end
        cmp al, 10
        je .end
        stosb
        dec cx
        jmp .next
.end:   ret

t_parameters:   db "LAST.XML", 0
t_orig:         db "<Orig_File_", 0
t_outdir:       db "<Output_Dir>", 0
t_system:       db "SystemName", 0
t_wrapout:      db "WRAPOUT", 0
t_src:          db "\SRC", 0
t_xml_ext:      db ".XML", 0
t_log_ext:      db ".LOG", 0
t_space_src:    db " SRC", 0
t_marker:       db "Orig Source File = ", 0
t_crlf:         db 13, 10, 0
t_head:         db '<?xml version="1.0"?>', 13, 10, '<Entity number="', 0
t_tool:         db '" tool="', 0
t_origin:       db '">', 13, 10, ' <Origin>', 0
t_tail:         db '</Origin>', 13, 10, '</Entity>', 13, 10, 0
t_usage:        db "usage: last.xml[;nnnn]", 13, 10, 0
t_unreadable:   db "cannot read last.xml", 13, 10, 0
t_not_listed:   db "entity not in last.xml", 13, 10, 0
t_not_written:  db "cannot write the result", 13, 10, 0
entities:       db 0

section .bss
numlen:  resb 1
buflen:  resw 1
keylen:  resw 1
number:  resb 6
tool:    resb 80
origin:  resb 122
outdir:  resb 66
sysname: resb 10
path:    resb 140
key:     resb 40
outbuf:  resb 512
buffer:  resb BUFSIZE
