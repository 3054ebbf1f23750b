#!/usr/bin/env bash
# Builds the Debian package from a build tree with CPack, unpacks it into a temporary root
# (dpkg-deb -x) and checks what a user would get: every installed file in place, the
# computed library dependencies and the fonts, the installed exif-report printing exactly
# what the build tree's prints, and the desktop entry, AppStream metadata and manual pages
# passing their validators. Exits 77 (skipped) when a tool or the corpus is missing.
#   installed_package_test.sh BUILD_DIR BUILT_EXIF_REPORT CORPUS_DIR
set -euo pipefail
build=$1
built_report=$2
corpus=$3
for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli man; do
  command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done
[[ -f "$corpus/canon-ixus.jpg" ]] || { echo "no corpus: skipped"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
debs=("$work"/package/*.deb)
[[ ${#debs[@]} -eq 1 && -f "${debs[0]}" ]] || fail "not exactly one package: ${debs[*]}"
deb=${debs[0]}
root=$work/root
dpkg-deb -x "$deb" "$root"

[[ "$(ls "$root")" == "usr" ]] || fail "the package installs outside /usr: $(ls "$root")"
for file in bin/exif-analyzer bin/exif-report \
    share/applications/exif-analyzer.desktop \
    share/icons/hicolor/scalable/apps/exif-analyzer.svg \
    share/metainfo/org.example.ExifAnalyzer.metainfo.xml \
    share/man/man1/exif-report.1.gz share/man/man1/exif-analyzer.1.gz \
    share/doc/exif-analyzer/copyright share/doc/exif-analyzer/changelog.gz; do
  [[ -f "$root/usr/$file" ]] || fail "/usr/$file is not installed"
done
[[ -x "$root/usr/bin/exif-analyzer" && -x "$root/usr/bin/exif-report" ]] || fail "programs not executable"

# Libraries found by dpkg-shlibdeps, and the fonts that only the running program asks for.
depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')
for package in libc6 libstdc++6 libqt6widgets6 libqt6printsupport6 \
    fonts-ipafont-gothic fonts-ipafont-mincho; do
  grep -qxF "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done

# The installed exif-report prints what the build tree's prints, in both output forms. The
# photograph is a private copy: loading locks its file.
cp "$corpus/canon-ixus.jpg" "$work/photo.jpg"
for form in --sjis ""; do
  "$built_report" $form "$work/photo.jpg" >"$work/built.out"
  "$root/usr/bin/exif-report" $form "$work/photo.jpg" >"$work/installed.out" ||
    fail "the installed exif-report failed ($form)"
  [[ -s "$work/built.out" ]] || fail "no report from the build tree ($form)"
  cmp "$work/built.out" "$work/installed.out" || fail "the installed report differs ($form)"
done

desktop-file-validate "$root/usr/share/applications/exif-analyzer.desktop" ||
  fail "the desktop entry does not validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.ExifAnalyzer.metainfo.xml" ||
  fail "the AppStream metadata does not validate"
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [[ -z "$warnings" ]] || fail "$(basename "$page"): $warnings"
done
echo "PASS"
