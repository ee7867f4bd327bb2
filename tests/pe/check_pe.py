#!/usr/bin/python3
"""Checks the structure of the built tarnwick.dll: what the host and Windows
see of it without running it. Fails (exit 1) on the first list of drifts."""
import struct
import sys

import pefile

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "advapi32.dll", "msvcrt.dll"}
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
    dlls = {e.dll.decode().lower() for e in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])}
    check(dlls <= SYSTEM_DLLS, f"imports from non-system DLLs: {sorted(dlls - SYSTEM_DLLS)}")
    check(not hasattr(pe, "DIRECTORY_ENTRY_DELAY_IMPORT"), "delay-loaded imports")


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


def main(path):
    pe = pefile.PE(path)
    check(pe.FILE_HEADER.Machine == 0x14C, f"machine {pe.FILE_HEADER.Machine:#x}, want i386")
    check(pe.OPTIONAL_HEADER.Magic == 0x10B, "not PE32")
    check(pe.FILE_HEADER.Characteristics & 0x2000, "not a DLL")
    check_exports(pe)
    check_imports(pe)
    check_version(pe)
    check_resources(pe)
    if problems:
        for p in problems:
            print(f"check_pe: {path}: {p}")
        return 1
    print(f"check_pe: {path}: i386 DLL, 4 exports, version 1.0.1.0, MAINICON, system imports only")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
