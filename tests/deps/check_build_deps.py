#!/usr/bin/python3
"""Checks that every file from /usr that a build used comes from a Debian package that
scripts/install-deps installs, or that those packages pull in.

A developer's machine holds packages that a clinic's fresh machine lacks: a build that reads a
header or links a library from one of them passes here and fails there. The files looked at are
the headers in the compiler's dependency files, the libraries on the link lines, the pkg-config
files of the modules that CMake asked for, and the programs and folders that CMake found. The
program's own files are checked against the packages of `install-deps --for run`, everything else
(tests, benchmark, package) against those of `install-deps --for test`.

Usage: check_build_deps.py BUILD_FOLDER SOURCE_FOLDER
"""
import glob
import os
import re
import subprocess
import sys


def install_list(source, purpose):
    out = subprocess.run([os.path.join(source, "scripts", "install-deps"), "--for", purpose, "--list"],
                         check=True, capture_output=True, text=True).stdout
    return set(out.split())


def depfile_paths(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        text = f.read().replace("\\\n", " ")
    paths = set()
    for line in text.splitlines():
        if ":" not in line:
            continue
        for token in line.split(":", 1)[1].split():
            if token.startswith("/usr/"):
                paths.add(os.path.normpath(token))
    return paths


def linker_dirs():
    out = subprocess.run(["c++", "-print-search-dirs"], check=True, capture_output=True, text=True).stdout
    for line in out.splitlines():
        if line.startswith("libraries: ="):
            return [os.path.normpath(d) for d in line[len("libraries: ="):].split(":") if d]
    return []


def link_paths(path, default_dirs, problems):
    with open(path, encoding="utf-8") as f:
        tokens = f.read().split()
    dirs = [t[2:] for t in tokens if t.startswith("-L")] + default_dirs
    paths = set()
    for token in tokens:
        if token.startswith("/usr/") and re.search(r"\.(so(\.[0-9.]+)?|a)$", token):
            paths.add(os.path.normpath(token))
        elif token.startswith("-l"):
            name = token[2:]
            found = next((os.path.join(d, f"lib{name}{ext}") for d in dirs for ext in (".so", ".a")
                          if os.path.exists(os.path.join(d, f"lib{name}{ext}"))), None)
            if found is None:
                problems.append(f"{path}: no file provides {token}")
            elif found.startswith("/usr/") or found.startswith("/lib"):
                paths.add(os.path.normpath(found))
    return paths


def cache_entries(build):
    """Programs, libraries and package folders that CMake found, and the pkg-config modules it read."""
    program, rest, modules = set(), set(), []
    with open(os.path.join(build, "CMakeCache.txt"), encoding="utf-8") as f:
        for line in f:
            m = re.match(r"^([A-Za-z0-9_]+):(FILEPATH|PATH|INTERNAL)=(.*)$", line.rstrip("\n"))
            if not m:
                continue
            name, kind, value = m.groups()
            if kind == "INTERNAL":
                if name.endswith("_MODULE_NAME"):
                    modules.append(value)
                continue
            if not value.startswith("/usr/"):
                continue
            # Programs and the folders of CMake packages; the libraries that a target really
            # links are on its link line, the headers it reads in its dependency files.
            tool = kind == "FILEPATH" and os.path.isfile(value) and os.access(value, os.X_OK) and ".so" not in value
            package = kind == "PATH" and name.endswith("_DIR") and glob.glob(os.path.join(value, "*Config.cmake"))
            if not (tool or package):
                continue
            if name.startswith("CMAKE_") or name.startswith("Qt6") or name.startswith("PKG_CONFIG"):
                program.add(os.path.normpath(value))
            else:
                rest.add(os.path.normpath(value))
    for module in modules:
        program |= pkgconfig_files(module)
    return program, rest


def pkgconfig_files(module, seen=None):
    seen = set() if seen is None else seen
    if module in seen:
        return set()
    seen.add(module)
    folder = subprocess.run(["pkg-config", "--variable=pcfiledir", module], capture_output=True, text=True).stdout.strip()
    files = {os.path.join(folder, module + ".pc")} if folder else set()
    requires = subprocess.run(["pkg-config", "--print-requires", "--print-requires-private", module],
                              capture_output=True, text=True).stdout.split()
    for name in requires:
        if re.match(r"^[A-Za-z]", name):
            files |= pkgconfig_files(name, seen)
    return files


def candidates(path):
    """The names under which dpkg may have the file: as given, resolved, and before /usr merged /lib."""
    names = [path, os.path.realpath(path)]
    for name in list(names):
        for top in ("/usr/lib/", "/usr/bin/", "/usr/sbin/"):
            if name.startswith(top):
                names.append(name[len("/usr"):])
    return list(dict.fromkeys(names))


def owners(paths):
    everything = sorted({c for p in paths for c in candidates(p)})
    found = {}
    for start in range(0, len(everything), 2000):
        out = subprocess.run(["dpkg", "-S", *everything[start:start + 2000]], capture_output=True, text=True).stdout
        for line in out.splitlines():
            if line.startswith("diversion ") or ": " not in line:
                continue
            packages, name = line.rsplit(": ", 1)
            found.setdefault(name, set()).update(p.strip().split(":")[0] for p in packages.split(","))
    # The first name that dpkg knows: a library's .so link belongs to its -dev package, the file it
    # points to to the library's own.
    return {path: next((found[c] for c in candidates(path) if c in found), set()) for path in paths}


def installed_packages():
    fmt = "${Package}\t${Status}\t${Essential}\t${Priority}\t${Pre-Depends}, ${Depends}\t${Provides}\n"
    out = subprocess.run(["dpkg-query", "-W", "-f", fmt], check=True, capture_output=True, text=True).stdout
    depends, providers, base = {}, {}, set()
    for line in out.splitlines():
        name, status, essential, priority, deps, provides = line.split("\t")
        if not status.endswith(" installed"):
            continue
        depends[name] = deps
        providers.setdefault(name, set()).add(name)
        for virtual in provides.split(","):
            if virtual.strip():
                providers.setdefault(re.split(r"[ (:]", virtual.strip())[0], set()).add(name)
        if essential == "yes" or priority == "required":
            base.add(name)
    return depends, providers, base


def closure(roots, depends, providers):
    """The installed packages that the roots are, provide, or depend on, directly or not."""
    reached, todo = set(), [r for r in roots]
    while todo:
        name = todo.pop()
        for package in providers.get(name, set()):
            if package in reached:
                continue
            reached.add(package)
            for group in depends.get(package, "").split(","):
                for alternative in group.split("|"):
                    dependency = re.split(r"[ (:]", alternative.strip())[0]
                    if dependency:
                        todo.append(dependency)
    return reached


def main():
    build, source = (os.path.abspath(a) for a in sys.argv[1:3])
    problems = []
    default_dirs = linker_dirs()
    program_files, other_files = cache_entries(build)
    program_root = os.path.join(build, "src") + os.sep
    for depfile in glob.glob(os.path.join(build, "**", "*.o.d"), recursive=True):
        (program_files if depfile.startswith(program_root) else other_files).update(depfile_paths(depfile))
    for link in glob.glob(os.path.join(build, "**", "link.txt"), recursive=True):
        (program_files if link.startswith(program_root) else other_files).update(
            link_paths(link, default_dirs, problems))
    if not program_files:
        problems.append(f"{build} holds no dependency files: build it first")

    depends, providers, base = installed_packages()
    allowed = {purpose: closure(install_list(source, purpose) | base, depends, providers)
               for purpose in ("run", "test")}
    owner = owners(program_files | other_files)
    missing = {}
    for files, purpose in ((program_files, "run"), (other_files, "test")):
        for path in sorted(files):
            if not owner[path]:
                problems.append(f"{path} belongs to no Debian package")
            elif not owner[path] & allowed[purpose]:
                for package in sorted(owner[path]):
                    missing.setdefault((package, purpose), path)
    for (package, purpose), path in sorted(missing.items()):
        problems.append(f"{package} is not installed by scripts/install-deps --for {purpose}, nor pulled in by "
                        f"what it installs; the build used its file {path}")
    checked = len(program_files | other_files)
    if problems:
        print("\n".join(problems))
        print(f"FAIL: {len(problems)} problem(s) among {checked} files from /usr")
        return 1
    print(f"{checked} files from /usr, all from packages that scripts/install-deps installs or pulls in")
    return 0


if __name__ == "__main__":
    sys.exit(main())
