#!/usr/bin/python3
"""Checks that every instruction in the built tarnwick.dll runs on a 386.

Windows 95 runs on a 386DX, Windows 98 and NT 4.0 on a 486; a processor that
meets an instruction it does not have raises an invalid-opcode fault, which
inside the host takes the file manager down. This disassembles the DLL's code
and fails on any instruction that is not in the 386's (with the 387's floating
point) instruction set, naming it and its address: cmov, fcomi and the hint
nops (0f 18 to 0f 1f, nopl and nopw among them) of the Pentium Pro, cpuid,
rdtsc and cmpxchg8b of the Pentium, bswap, cmpxchg and xadd of the 486, every
MMX and SSE instruction, and whatever comes later: the list says what the 386
has, not what it lacks. Two names of later processors pass, because the 386
runs their bytes as they are meant: ud2 and pause.

The linker places data in the code section too (the constructor and
destructor lists at its end). The linker's map says which parts of .text are
code: only those are disassembled.

  check_386.py DLL --map LINKER_MAP [--objdump OBJDUMP]
  check_386.py --cases [--cc CC] [--objdump OBJDUMP]

--cases assembles and links small DLLs of known code with CC and checks that
each passes or fails as it must: the check's own proof that it can fail."""
import argparse
import os
import re
import subprocess
import sys
import tempfile

import pefile

# The 386's integer instructions (with the 8086's, 186's and 286's), as
# objdump names them in AT&T syntax. Those in SIZED may carry a b, w or l
# operand-size suffix. nop is the 386's only as the one byte 0x90 (after any
# prefix): objdump also prints the Pentium Pro's hint nops, 0f 18 to 0f 1f,
# as nop, with an operand ("nop %eax") or a suffix ("nopl (%eax)").
SIZED = set("""
    adc add and cmp or sbb sub xor test inc dec neg not mul imul div idiv
    mov lea xchg push pop shl shr sal sar rol ror rcl rcr shld shrd
    bt bts btr btc bsf bsr movs cmps lods scas stos ins outs in out
    call jmp ret lret iret lds les lfs lgs lss lar lsl arpl
    movzb movzw movsb movsw enter bound
""".split())
CONDITIONS = "a ae b be c e g ge l le na nae nb nbe nc ne ng nge nl nle no np ns nz o p pe po s z".split()
INTEGER = SIZED | set("""
    aaa aad aam aas daa das cbtw cwtl cwtd cltd lahf sahf pusha popa pushf popf
    pushaw pushal popaw popal pushfw pushfl popfw popfl
    leave nop int int3 into hlt wait fwait xlat clc stc cmc cld std cli sti
    jcxz jecxz loop loope loopne loopz loopnz ljmp lcall
    clts lgdt sgdt lidt sidt lldt sldt ltr str lmsw smsw verr verw
""".split()) | {"j" + c for c in CONDITIONS} | {"set" + c for c in CONDITIONS}

# The 387's floating point. They may carry the size suffixes s, l, t, ll or
# q. fcmov, fcomi, fucomi (Pentium Pro) and fisttp (SSE3) are not here.
FLOAT = set("""
    f2xm1 fabs fadd faddp fiadd fbld fbstp fchs fclex fnclex fcom fcomp fcompp
    fucom fucomp fucompp fcos fdecstp fdiv fdivp fidiv fdivr fdivrp fidivr
    ffree ficom ficomp fild fincstp finit fninit fist fistp fld fld1 fldcw
    fldenv fldl2e fldl2t fldlg2 fldln2 fldpi fldz fmul fmulp fimul fnop fpatan
    fprem fprem1 fptan frndint frstor fsave fnsave fscale fsin fsincos fsqrt
    fst fstp fstcw fnstcw fstenv fnstenv fstsw fnstsw fsub fsubp fisub fsubr
    fsubrp fisubr ftst fxam fxch fxtract fyl2x fyl2xp1
""".split())

# Names of later processors whose bytes a 386 runs as they are meant.
RUNS_ON_A_386 = {
    "ud2": "0f 0b raises the invalid-opcode fault on every processor, the 386 included: all ud2 is for",
    "pause": "f3 90 is rep nop to a 386, which ignores rep before an instruction that is not a string one",
}

# Prefixes objdump prints before the instruction they modify.
PREFIXES = set("rep repz repnz repe repne lock cs ds es ss fs gs data16 addr16 data32 addr32".split())

# Input sections of .text that hold code, and those that hold data.
CODE_SECTION = re.compile(r"^(?:\.text(?:[$.].*)?|\.init|\.fini|\.gnu\.linkonce\.t\..*|\.glue_7t?)$")
DATA_SECTION = re.compile(r"^(?:\.ctors?|\.dtors?|\.ctors\..*|\.dtors\..*|\.gcc_exc|\.gcc_except_table)$")


def is_386(mnemonic):
    if mnemonic in INTEGER or mnemonic in FLOAT or mnemonic in RUNS_ON_A_386:
        return True
    if mnemonic[-1:] in ("b", "w", "l") and mnemonic[:-1] in SIZED:
        return True
    return any(mnemonic.endswith(s) and mnemonic[:-len(s)] in FLOAT for s in ("s", "l", "t", "ll", "q"))


def code_ranges(map_path):
    """The [start, end) addresses of the code input sections in the map's .text
    output section, and the problems found reading it."""
    with open(map_path, encoding="utf-8", errors="replace") as f:
        lines = f.read().splitlines()
    ranges, problems, inside, pending = [], [], False, None
    for line in lines:
        if re.match(r"^\.text\s", line) or line == ".text":
            inside = True
            continue
        if inside and line and not line[0].isspace():
            break  # the next output section
        if not inside:
            continue
        # An input section: " NAME ADDR SIZE FILE", or " NAME" alone with the
        # rest on the next line.
        head = re.match(r"^ (\.\S+|COMMON)(?:\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(.*))?$", line)
        if head:
            pending = head.group(1)
            if head.group(2) is None:
                continue
            addr, size, origin = head.group(2), head.group(3), head.group(4)
        else:
            rest = re.match(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$", line)
            if not rest or pending is None:
                continue
            addr, size, origin = rest.groups()
        name, pending = pending, None
        start, length = int(addr, 16), int(size, 16)
        if length == 0:
            continue
        if CODE_SECTION.match(name):
            ranges.append((start, start + length, f"{name} of {os.path.basename(origin)}"))
        elif not DATA_SECTION.match(name):
            problems.append(f"{map_path}: {name} of {origin} lies in .text and is neither known code nor known data")
    if not inside:
        problems.append(f"{map_path} has no .text output section")
    return ranges, problems


def disassemble(objdump, path, start, end):
    """(address, bytes, instruction) for each instruction in [start, end)."""
    out = subprocess.run([objdump, "-d", "-j", ".text", f"--start-address={start:#x}",
                          f"--stop-address={end:#x}", path],
                         check=True, stdout=subprocess.PIPE, text=True).stdout
    found = []
    for line in out.splitlines():
        parts = line.split("\t")
        if len(parts) < 2 or not re.match(r"^\s*[0-9a-f]+:$", parts[0]):
            continue
        if len(parts) == 2:  # the further bytes of a long instruction
            if found:
                found[-1][1] += " " + parts[1].strip()
            continue
        found.append([int(parts[0].strip()[:-1], 16), parts[1].strip(), parts[2].strip()])
    return found


def later_than_386(raw, instruction):
    """Why the instruction, its bytes `raw` in hex, does not run on a 386, or
    None when it does."""
    words = instruction.split()
    while words and words[0] in PREFIXES:
        words.pop(0)
    if not words:
        return None  # a prefix that objdump prints on a line of its own
    mnemonic = words[0]
    if mnemonic == "(bad)" or mnemonic.startswith("."):  # objdump shows a stray byte as .byte
        return "bytes that decode as no instruction"
    if not is_386(mnemonic):
        return f"{mnemonic} is not a 386 instruction"
    if mnemonic == "nop" and raw.split()[-1] != "90":
        return "a hint nop (0f 18 to 0f 1f) of the Pentium Pro, not the 386's nop (90)"
    return None


def check(dll, map_path, objdump):
    """(problems, instructions checked)."""
    ranges, problems = code_ranges(map_path)
    pe = pefile.PE(dll, fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_EXPORT"]])
    base = pe.OPTIONAL_HEADER.ImageBase
    for section in pe.sections:
        name = section.Name.rstrip(b"\0").decode()
        if section.Characteristics & 0x20000000 and name != ".text":  # IMAGE_SCN_MEM_EXECUTE
            problems.append(f"section {name} is executable, and only .text is checked")
    # The map must be this DLL's: its entry point and exports lie in the code.
    entries = {"the entry point": base + pe.OPTIONAL_HEADER.AddressOfEntryPoint}
    exports = getattr(pe, "DIRECTORY_ENTRY_EXPORT", None)
    for sym in exports.symbols if exports else []:
        entries[(sym.name or b"?").decode()] = base + sym.address
    for what, addr in entries.items():
        if not any(start <= addr < end for start, end, _ in ranges):
            problems.append(f"{what} at {addr:#x} lies in none of the map's code sections: is the map this DLL's?")
    checked = 0
    for start, end, _ in ranges:
        for addr, raw, instruction in disassemble(objdump, dll, start, end):
            checked += 1
            why = later_than_386(raw, instruction)
            if why:
                problems.append(f"{addr:#x}: {raw:<20} {instruction}: {why}")
    if checked == 0:
        problems.append("no instruction was checked")
    return problems, checked


# Small pieces of code, each linked into a DLL whose entry point is `_entry`,
# and whether the check must pass it. The linker puts its constructor and
# destructor lists at the end of .text in every one of them.
ENTRY = "\t.text\n\t.globl _entry@12\n_entry@12:\n\tmovl $1, %eax\n\tret $12\n"
CASES = [
    ("only 386 instructions", True, """
        pushl %ebp
        movl %esp, %ebp
        movzbl 8(%ebp), %eax
        movsbl %al, %ecx
        imull $20, %ecx, %ecx
        shldl $4, %ecx, %eax
        bsfl %eax, %edx
        cmpl %ecx, %eax
        jle 1f
        movl %ecx, %eax
    1:  setg %dl
        cltd
        idivl %ecx
        rep stosl
        lock incl (%eax)
        fildl (%eax)
        fstpl (%eax)
        fnstsw %ax
        sahf
        xchg %ax, %ax
        .byte 0x8d, 0xb4, 0x26, 0, 0, 0, 0
        leave
        .p2align 4
        ret
        """),
    ("cmov (Pentium Pro)", False, "cmovgl %edx, %eax\n"),
    ("fcomi (Pentium Pro)", False, "fcomi %st(1), %st\n"),
    ("multi-byte nop (Pentium Pro)", False, "nopl 0(%eax)\n"),
    ("hint nop nopl on a register (Pentium Pro)", False, "nopl %eax\n"),
    ("hint nop nopw on a register (Pentium Pro)", False, "nopw %ax\n"),
    ("hint nop 0f 18 on a register (Pentium Pro)", False, ".byte 0x0f, 0x18, 0xc0\n"),
    ("tzcnt, rep bsf to older processors", False, "tzcntl %eax, %ecx\n"),
    ("ud2, the invalid-opcode fault on every processor", True, "ud2\nret\n"),
    ("pause, rep nop to a 386", True, "pause\nret\n"),
    ("cpuid (Pentium)", False, "cpuid\n"),
    ("cmpxchg8b (Pentium)", False, "cmpxchg8b (%eax)\n"),
    ("bswap (486)", False, "bswap %eax\n"),
    ("xadd (486)", False, "xaddl %ecx, (%eax)\n"),
    ("an MMX register", False, "movd %eax, %mm0\n"),
    ("an xmm register", False, "movd %eax, %xmm0\n"),
    ("sysenter", False, "sysenter\n"),
    ("popcnt", False, "popcntl %eax, %ecx\n"),
    ("fisttp (SSE3)", False, "fisttpl (%eax)\n"),
    ("bytes of a cmov in code", False, ".byte 0x0f, 0x47, 0xc2\n"),
    ("bytes that decode as no instruction, in code", False, ".byte 0xff, 0xff\n"),
    ("code in an executable section of its own", False, "ret\n\t.section .more,\"x\"\n\tret\n"),
    ("bytes of a cmov among the constructors, as data", True,
     "ret\n\t.section .ctors,\"w\"\n\t.byte 0x0f, 0x47, 0xc2, 0x90\n"),
]


def run_cases(cc, objdump):
    failed = 0
    with tempfile.TemporaryDirectory() as tmp:
        for name, passes, code in CASES:
            stem = os.path.join(tmp, re.sub(r"\W+", "_", name))
            with open(stem + ".s", "w") as f:
                f.write(ENTRY + "\t.globl _piece\n_piece:\n\t" + code.strip() + "\n")
            subprocess.run([cc, "-nostdlib", "-shared", "-Wl,--entry,_entry@12", f"-Wl,-Map,{stem}.map",
                            "-o", stem + ".dll", stem + ".s"], check=True)
            problems, _ = check(stem + ".dll", stem + ".map", objdump)
            ok = not problems if passes else bool(problems)
            failed += not ok
            print(f"{'ok' if ok else 'FAILED'}: {name}: {'passes' if not problems else 'fails'}, "
                  f"must {'pass' if passes else 'fail'}")
            for p in problems:
                print(f"    {p}")
    print(f"{len(CASES) - failed} passed, {failed} failed")
    return 1 if failed else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("dll", nargs="?")
    parser.add_argument("--map")
    parser.add_argument("--cases", action="store_true")
    parser.add_argument("--cc", default="i686-w64-mingw32-gcc")
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    args = parser.parse_args()
    if args.cases:
        return run_cases(args.cc, args.objdump)
    if not args.dll or not args.map:
        parser.error("give the DLL and its linker map, or --cases")
    problems, checked = check(args.dll, args.map, args.objdump)
    if problems:
        for p in problems:
            print(f"check_386: {args.dll}: {p}")
        return 1
    print(f"check_386: {args.dll}: {checked} instructions, every one a 386's")
    return 0


if __name__ == "__main__":
    sys.exit(main())
