#!/usr/bin/python3
"""Checks the structure of the built tarnwick.dll: what the host and Windows
see of it without running it. Fails (exit 1) on the first list of drifts.

  check_pe.py DLL [--map LINKER_MAP]

With the linker's map, also checks that no static constructor was linked in
(the DLL has no start-up code that would run one)."""
import argparse
import os
import struct
import sys

import pefile

# Every import by name, each in Windows 95 and NT 4.0 and every Windows since:
# exactly these twelve, no more and no fewer.
IMPORTS = {
    "kernel32.dll": {"GetStdHandle", "GetNumberOfConsoleInputEvents", "PeekConsoleInputA",
                     "WriteConsoleInputA", "GetProcessHeap", "HeapAlloc", "HeapFree"},
    "user32.dll": {"MapVirtualKeyA"},
    "advapi32.dll": {"RegOpenKeyExA", "RegCreateKeyExA", "RegSetValueExA", "RegCloseKey"},
}
MAX_FILE_SIZE = 8192
RUNTIME_SECTIONS = {".tls", ".CRT", ".eh_frame", ".gcc_except_table", ".pdata", ".xdata"}
# The entry point: mov eax, 1; ret 12. It returns TRUE and does nothing else.
ENTRY_CODE = bytes.fromhex("b801000000c20c00")
EXPORTS = {1: "ProcessEditorInput", 2: "SetStartupInfo", 3: "OpenPlugin", 4: "GetPluginInfo"}
STRINGS = {
    "FileVersion": "1.0.1.0",
    "ProductVersion": "1.00",
    "InternalName": "Tarnwick",
    "OriginalFilename": "tarnwick.dll",
}
RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16

problems = []


def check(ok, what):
    if not ok:
        problems.append(what)


def check_exports(pe):
    exp = getattr(pe, "DIRECTORY_ENTRY_EXPORT", None)
    check(exp is not None, "no export directory")
    if exp is None:
        return
    check(pe.get_string_at_rva(exp.struct.Name) == b"tarnwick.dll", "export directory does not name tarnwick.dll")
    got = {s.ordinal: (s.name or b"").decode() for s in exp.symbols}
    check(got == EXPORTS, f"exports are {got}, want {EXPORTS}")
    check(all(not s.forwarder for s in exp.symbols), "an export is forwarded")


def check_imports(pe):
    got = {}
    for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []):
        dll = entry.dll.decode().lower()
        for imp in entry.imports:
            check(imp.name is not None, f"{dll}: an import by ordinal ({imp.ordinal})")
            if imp.name is not None:
                got.setdefault(dll, set()).add(imp.name.decode())
    for dll in sorted(set(got) | set(IMPORTS)):
        names = got.get(dll, set())
        allowed = IMPORTS.get(dll, set())
        for name in sorted(names - allowed):
            problems.append(f"imports {dll}!{name}, which is not on the list")
        for name in sorted(IMPORTS.get(dll, set()) - names):
            problems.append(f"does not import {dll}!{name}")
    check(not hasattr(pe, "DIRECTORY_ENTRY_DELAY_IMPORT"), "delay-loaded imports")
    return sum(len(n) for n in got.values())


def check_freestanding(pe, path):
    size = os.path.getsize(path)
    check(size <= MAX_FILE_SIZE, f"file is {size} bytes, more than {MAX_FILE_SIZE}")
    opt = pe.OPTIONAL_HEADER
    check((opt.MajorOperatingSystemVersion, opt.MinorOperatingSystemVersion) == (4, 0),
          f"OS version {opt.MajorOperatingSystemVersion}.{opt.MinorOperatingSystemVersion}, want 4.0")
    check((opt.MajorSubsystemVersion, opt.MinorSubsystemVersion) == (4, 0),
          f"subsystem version {opt.MajorSubsystemVersion}.{opt.MinorSubsystemVersion}, want 4.0")
    tls = opt.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_TLS"]]
    check(tls.VirtualAddress == 0 and tls.Size == 0, "a TLS directory")
    relocs = opt.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"]]
    check(relocs.Size > 0 and not pe.FILE_HEADER.Characteristics & 0x0001,
          "relocations stripped: the DLL cannot be rebased")
    names = {s.Name.rstrip(b"\0").decode() for s in pe.sections}
    check(not names & RUNTIME_SECTIONS, f"runtime sections {sorted(names & RUNTIME_SECTIONS)}")
    entry = pe.get_data(opt.AddressOfEntryPoint, len(ENTRY_CODE)) if opt.AddressOfEntryPoint else b""
    check(entry == ENTRY_CODE, f"the entry point runs {entry.hex()}, want {ENTRY_CODE.hex()} (return TRUE)")
    return size


def check_no_constructors(map_path):
    """The map lists, between the two ends of the constructor list, every
    static constructor linked in: there must be none."""
    with open(map_path, encoding="utf-8", errors="replace") as f:
        lines = f.read().splitlines()
    starts = [i for i, line in enumerate(lines) if line.strip().endswith("__CTOR_LIST__ = .")]
    ends = [i for i, line in enumerate(lines) if line.strip().endswith("__DTOR_LIST__ = .")]
    check(starts and ends, f"{map_path} shows no constructor list")
    if starts and ends:
        found = [line.strip() for line in lines[starts[0]:ends[0]] if line.startswith(" .ctor")]
        check(not found, f"static constructors linked in: {found}")


def check_version(pe):
    ffi = pe.VS_FIXEDFILEINFO[0] if getattr(pe, "VS_FIXEDFILEINFO", None) else None
    check(ffi is not None, "no version resource")
    if ffi is None:
        return
    check((ffi.FileVersionMS, ffi.FileVersionLS) == (0x00010000, 0x00010000), "file version is not 1.0.1.0")
    check((ffi.ProductVersionMS, ffi.ProductVersionLS) == (0x00010000, 0x00010000), "product version is not 1.0.1.0")
    check(ffi.FileFlagsMask == 0x3F, f"file flags mask {ffi.FileFlagsMask:#x}")
    check(ffi.FileFlags == 0, f"file flags {ffi.FileFlags:#x}")
    check(ffi.FileOS == 4, f"file OS {ffi.FileOS:#x}")
    check(ffi.FileType == 2, f"file type {ffi.FileType}")
    check(ffi.FileSubtype == 0, f"file subtype {ffi.FileSubtype}")

    tables, translations = {}, []
    for info in pe.FileInfo[0]:
        if info.Key == b"StringFileInfo":
            for table in info.StringTable:
                tables[table.LangID.decode().upper()] = {k.decode(): v.decode() for k, v in table.entries.items()}
        elif info.Key == b"VarFileInfo":
            for var in info.Var:
                raw = var.entry.get(b"Translation")
                if raw:
                    translations.append(raw)
    check(list(tables) == ["040904E4"], f"string tables {list(tables)}, want 040904E4 alone")
    strings = tables.get("040904E4", {})
    for key, want in STRINGS.items():
        check(strings.get(key) == want, f"{key} is {strings.get(key)!r}, want {want!r}")
    for key in ("ProductName", "FileDescription"):
        text = strings.get(key, "")
        check("Tarnwick" in text and "FAR" in text and "plug-in" in text,
              f"{key} {text!r} does not name a FAR editor plug-in")
    check(translations == ["0x0409 0x04e4"], f"translations {translations}")


def check_resources(pe):
    entries = {}
    directory = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for rtype in directory.entries if directory else []:
        entries[rtype.id] = rtype
    check(set(entries) == {RT_ICON, RT_GROUP_ICON, RT_VERSION},
          f"resource types {sorted(entries)}, want icon, icon group and version only")
    group = entries.get(RT_GROUP_ICON)
    if group is not None:
        names = [str(e.name) if e.name else e.id for e in group.directory.entries]
        check(names == ["MAINICON"], f"icon groups {names}, want MAINICON alone")
        lang = group.directory.entries[0].directory.entries[0]
        data = pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size)
        reserved, kind, count = struct.unpack_from("<HHH", data)
        check((reserved, kind, count) == (0, 1, 1), f"icon group header {reserved, kind, count}, want one icon")
        width, height, colours, _, planes, bits, _, _ = struct.unpack_from("<BBBBHHIH", data, 6)
        check((width, height, colours, bits) == (32, 32, 16, 4),
              f"icon is {width}x{height}, {colours} colours, {bits} bits; want 32x32, 16 colours")
    icons = entries.get(RT_ICON)
    if icons is not None:
        check(len(icons.directory.entries) == 1, "more than one icon image")
    version = entries.get(RT_VERSION)
    if version is not None:
        check(len(version.directory.entries) == 1, "more than one version resource")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("dll")
    parser.add_argument("--map")
    args = parser.parse_args()
    path = args.dll
    pe = pefile.PE(path)
    check(pe.FILE_HEADER.Machine == 0x14C, f"machine {pe.FILE_HEADER.Machine:#x}, want i386")
    check(pe.OPTIONAL_HEADER.Magic == 0x10B, "not PE32")
    check(pe.FILE_HEADER.Characteristics & 0x2000, "not a DLL")
    check_exports(pe)
    imports = check_imports(pe)
    size = check_freestanding(pe, path)
    if args.map:
        check_no_constructors(args.map)
    check_version(pe)
    check_resources(pe)
    if problems:
        for p in problems:
            print(f"check_pe: {path}: {p}")
        return 1
    print(f"check_pe: {path}: i386 DLL of {size} bytes, OS and subsystem 4.0, 4 exports, "
          f"{imports} imports all on the list, no TLS, relocatable, no runtime, version 1.0.1.0, MAINICON")
    return 0


if __name__ == "__main__":
    sys.exit(main())
