#!/usr/bin/env bash
# Seeds one deliberate fault at a time into a scratch copy of the tree, rebuilds, runs the
# tests and tells which test caught it. A fault whose original text is not found exactly
# once is NOT APPLIED, so that the list does not rot when the code moves on.
#   tools/seeded-faults.sh [--work DIR] [--head] [N ...]   every fault, or the numbered ones
#   tools/seeded-faults.sh --list                 the faults, one a line, checked against the tree
# The scratch copy is DIR/tree (default /tmp/seeded-faults), built in DIR/tree/build-faults
# with Ninja and ccache, of the working tree, or with --head of the last commit (a working
# tree others are editing may not build at every moment). The quick Qt Test programs
# (tst_*) run first, the others only when none of them failed. Tests that already fail on
# the unchanged tree are left out and named.
# Exit status 1 when a fault is MISSED or NOT APPLIED.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)

# Each fault: "@@ number file | what a user would see", then the original text on "- "
# lines and its replacement on "+ " lines (several lines of either are joined by newlines;
# no "+ " line removes the text).
fault_list() {
  cat <<'FAULTS'
@@ 1 src/sign/Form1_sign.cpp | Up on the first sign steps before it
- if (Common::HkIndex == 0)
+ if (Common::HkIndex < 0)
@@ 2 src/sign/Form1_sign.cpp | Down on the last sign steps past the end
- if (Common::HkIndex >= File1.list_count() - 1)
+ if (Common::HkIndex >= File1.list_count())
@@ 3 src/sign/Form1_sign.cpp | the Right arrow steps the sign instead of Down
- } else if (KeyCode == vbKeyDown) {
+ } else if (KeyCode == vbKeyUp + 1) {
@@ 4 src/logic/SignPath.cpp | no "/" put between the sign folder and the file name
- if (folder.empty() || folder.back() != '/')
+ if (folder.empty())
@@ 5 src/dialogs/frmSet_keypad.cpp | the keypad display takes a seventh digit
- constexpr std::size_t DisplayDigits = 6;
+ constexpr std::size_t DisplayDigits = 7;
@@ 6 src/dialogs/frmSet_keypad.cpp | "C" leaves a 0 on the display
- Label1.set_caption("");
+ Label1.set_caption("0");
@@ 7 src/dialogs/frmSet_keypad.cpp | a number above 32767 wraps round to a sign
- if (number > std::numeric_limits<std::int16_t>::max())
+ if (number > std::numeric_limits<std::int32_t>::max())
@@ 8 src/dialogs/frmSet_keypad.cpp | "設定" shows the sign after the one typed
- bus.File1.list(sign_number(Label1.caption()))
+ bus.File1.list(sign_number(Label1.caption()) + 1)
@@ 9 src/dialogs/frmSet.cpp | keys 8 and 9 swapped on the keypad
- { { 7, 8, 9 }, { 4, 5, 6 }
+ { { 7, 9, 8 }, { 4, 5, 6 }
@@ 10 src/platform/system/FileList.cpp | hidden files are listed
- if (entry->d_name[0] == '.')
+ if (entry->d_name[0] == '.' && entry->d_name[1] == '.')
@@ 11 src/platform/system/FileList.cpp | a folder's list keeps one name fewer than 32767
- constexpr std::size_t MaxNames = std::numeric_limits<std::int16_t>::max();
+ constexpr std::size_t MaxNames = std::numeric_limits<std::int16_t>::max() - 1;
@@ 12 src/platform/system/FileList.cpp | signs listed in reverse name order
- return folded < 0;
+ return folded > 0;
@@ 13 src/platform/system/FileList.cpp | capitals sort before small letters
- QString::compare(a.text, b.text, Qt::CaseInsensitive)
+ QString::compare(a.text, b.text, Qt::CaseSensitive)
@@ 14 src/platform/system/FileList.cpp | a link to a folder is listed as a sign
- return ::fstatat(folder_fd, entry.d_name, &target, 0) == 0 && S_ISREG(target.st_mode);
+ return ::fstatat(folder_fd, entry.d_name, &target, 0) == 0;
@@ 15 src/app/Form1.h | *.jpeg files are left out of the sign list
- ;*.jpg;*.jpeg
+ ;*.jpg
@@ 16 src/logic/DoorGeometry.h | the front door opens one twip too far
- FrontDoor { 1095, 70 }
+ FrontDoor { 1095, 69 }
@@ 17 src/logic/DoorGeometry.h | the middle leaves stop short of fully open
- MiddleLeaf { 780, 110 }
+ MiddleLeaf { 780, 120 }
@@ 18 src/logic/DoorGeometry.h | the right leaf folds towards the wrong edge
- MiddleRightEdge = 5820;
+ MiddleRightEdge = 5805;
@@ 19 src/logic/DoorGeometry.h | an opening leaves out its last frame
- for (int w = start; w >= widths.open; --w)
+ for (int w = start; w > widths.open; --w)
@@ 20 src/logic/DoorGeometry.h | a closing leaves out its first frame
- for (int w = widths.open; w <= widths.closed; ++w)
+ for (int w = widths.open + 1; w <= widths.closed; ++w)
@@ 21 src/doors/Form1_doors.cpp | mode "左" moves the right leaf
- return MiddleMode::Left;
+ return MiddleMode::Right;
@@ 22 src/doors/Form1_doors.cpp | the right leaf grows to the right instead of folding
- right_leaf.set_left(static_cast<float>(MiddleRightEdge - w));
+ right_leaf.set_left(static_cast<float>(MiddleRightEdge - MiddleLeaf.closed));
@@ 23 src/dialogs/frmSet.cpp | the mode can be changed while the middle door is open
- Frame2.set_enabled(Check2.value() != 1);
+ Frame2.set_enabled(true);
@@ 24 src/doors/Form1_doors.cpp | the front door is paced by the middle door's speed
- frames.end_frame(panel.HScroll1.value());
+ frames.end_frame(panel.HScroll2.value());
@@ 25 src/platform/system/Pause.cpp | a pause lasts ten times too long
- std::chrono::nanoseconds(100LL * units)
+ std::chrono::nanoseconds(1000LL * units)
@@ 26 src/platform/system/Pause.cpp | the clock's overshoot adds up over a movement
- m_frame_start = late ? clock.now() : deadline;
+ m_frame_start = clock.now();
@@ 27 src/doors/PlayWave.cpp | the door sound is asked for without its memory flag, so nothing plays
- platform::SND_MEMORY | platform::SND_NODEFAULT
+ platform::SND_NODEFAULT
@@ 28 src/platform/audio/AlsaSoundSink.cpp | a device that does not answer holds the door 3 s
- constexpr std::chrono::seconds kAnswer { 1 };
+ constexpr std::chrono::seconds kAnswer { 3 };
@@ 29 src/logic/SettingsFields.h | the bus's left and top swapped in the file
- &SettingsRecord::form_left,      &SettingsRecord::form_top,
+ &SettingsRecord::form_top,      &SettingsRecord::form_left,
@@ 30 src/app/Form1_settings.cpp | the middle door's speed saved as the front door's
- record.front_speed = panel.front_speed;
+ record.front_speed = panel.middle_speed;
@@ 31 src/logic/SettingsFields.h | the truth value is written and read as #True#
- True = "#TRUE#";
+ True = "#True#";
@@ 32 src/logic/SettingsWriter.cpp | every file is written as UTF-8 with its mark
- return line_of(*encoded);
+ return std::string(ByteOrderMark) + line_of(record);
@@ 33 src/platform/text/Cp932.cpp | a path code page 932 cannot hold exactly is written in it anyway
- if (!encoded || utf8_from_cp932(*encoded) != utf8)
+ if (!encoded)
@@ 34 src/logic/SettingsReader.cpp | a place below -2^31 wraps instead of giving the defaults
- if (*value < std::numeric_limits<Integer>::min() || *value > std::numeric_limits<Integer>::max())
+ if (*value > std::numeric_limits<Integer>::max())
@@ 35 src/logic/SettingsReader.cpp | a half rounds up, not to the even number
- (first > '5' || (first == '5' && (beyond_half || value % 2 == 1)))
+ (first >= '5')
@@ 36 src/dialogs/frmSet.h | a front door speed of 0 is taken from the file
- .min = 1, .max = 30000, .value = 6000
+ .min = 0, .max = 30000, .value = 6000
@@ 37 src/app/SettingsPlace.cpp | the user's settings file lies straight in the configuration folder
- return with_separator(config_folder) + name + "/" + name + ".ini";
+ return with_separator(config_folder) + name + ".ini";
@@ 38 src/app/SettingsPlace.cpp | the file beside an installed program is not read before the user has one
- return { platform::path_exists(in_config) ? in_config : beside, in_config };
+ return { in_config, in_config };
@@ 39 src/platform/system/System.cpp | a relative XDG_CONFIG_HOME is used
- if (configured && configured[0] == '/')
+ if (configured)
@@ 40 src/app/Form1_settings.cpp | the default middle speed is 5000
- panel.HScroll2.set_value(6000);
+ panel.HScroll2.set_value(5000);
@@ 41 src/app/Form1_settings.cpp | by default the panel covers the bus
- panel.set_top(height()); // directly below the main window's frame
+ panel.set_top(0);
@@ 42 src/app/Form1_settings.cpp | a missing signboard picture costs every setting
- show_picture_if_loaded(bus.PicKanban, Common::KanbanPicPath);
+ bus.PicKanban.set_picture(LoadPicture(Common::KanbanPicPath));
@@ 43 src/platform/system/SafeFile.cpp | a failed save leaves its half-written file behind
- ::unlink(file.path.c_str());
+
@@ 44 src/platform/system/SafeFile.cpp | the saved file loses the permissions the user gave it
- ::fchmod(fd, status.st_mode & 07777);
+ ::fchmod(fd, 0644);
@@ 45 src/platform/codec/PictureLimits.h | a picture may cost 512 MB
- MaxPictureBytes = 256LL * 1024 * 1024;
+ MaxPictureBytes = 512LL * 1024 * 1024;
@@ 46 src/platform/metafile/MetafileRecords.h | a metafile twice 8192 px wide is drawn
- require(pixels <= MaxMetafileSide,
+ require(pixels <= 2 * MaxMetafileSide,
@@ 47 src/platform/metafile/EmfPlayer.cpp | an enhanced metafile's size is cut, not rounded
- return std::llround(hundredths * 96.0 / 2540.0);
+ return static_cast<long long>(hundredths * 96.0 / 2540.0);
@@ 48 src/platform/metafile/WmfPlayer.cpp | a placeable metafile is sized at 100 dpi
- std::llround(double(himetric) * 96.0 / 2540.0)
+ std::llround(double(himetric) * 100.0 / 2540.0)
@@ 49 src/platform/codec/Dib.cpp | a bitmap whose rows are not all in the file is drawn
- require(bits.has(0, static_cast<std::size_t>(stride_of(header) * std::abs(header.height))));
+ require(bits.has(0, static_cast<std::size_t>(stride_of(header))));
@@ 50 src/platform/system/RegularFile.cpp | a file twice what a picture may cost is opened
- if (info.st_size > largest)
+ if (info.st_size > 2 * largest)
@@ 51 src/platform/picture/PictureFile.cpp | a picture file that is not there is reported as access denied
- if (error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG || error == ELOOP)
+ if (error == ENOTDIR || error == ENAMETOOLONG || error == ELOOP)
@@ 52 src/signboard/Form1_signboard.cpp | the frame's posts stop at the board's bottom edge
- constexpr float PostOverhang = 15;
+ constexpr float PostOverhang = 0;
@@ 53 src/signboard/Form1_signboard.cpp | the frame's bar is a post's width too wide
- constexpr float BarExtension = 150;
+ constexpr float BarExtension = 225;
@@ 54 src/signboard/Form1_signboard.cpp | the reset puts the board one pixel too tall
- KanbanHome { 7425, 1665, 1410, 450 };
+ KanbanHome { 7425, 1665, 1410, 465 };
@@ 55 src/signboard/Form1_signboard.cpp | 看板の表示 does not hide the board
- PicKanban.set_visible(!MnuViewKanban.checked());
+ PicKanban.set_visible(MnuViewKanban.checked());
@@ 56 src/signboard/Form1_signboard.cpp | the chosen signboard picture is not remembered
- Common::KanbanPicPath = C_Dialog1.file_name();
+
@@ 57 src/dialogs/frmShowVersion.cpp | the version window shows the folder, not the model and serial number
- "型番・製造番号：" + exe_name()
+ "型番・製造番号：" + app_path()
@@ 58 src/dialogs/frmShowVersion.h | the maker's function is asked for under another name
- MakerFunction = "ZubaradoHpURL";
+ MakerFunction = "ZubaradoHpUrl";
@@ 59 src/dialogs/frmShowVersion.cpp | the library's error box has another caption
- "Zubhpurl.dllのエラー"
+ "Zubhpurl.dll のエラー"
@@ 60 src/platform/system/LibraryFunction.cpp | the maker's library is not looked for in the program's folder
- std::vector<std::string> folders { app_path() };
+ std::vector<std::string> folders;
@@ 61 maker/KQZ5Res.cpp | the installed library does not find the installed maker's page
- "/../../share/qk31t0207/maker-page/index.html"
+ "/../share/qk31t0207/maker-page/index.html"
@@ 62 src/platform/forms/OpenDocument.cpp | an empty address is handed to the desktop
- if (!address.empty())
+ if (true)
@@ 63 src/platform/forms/KeyCodes.cpp | the Down arrow arrives as key 41
- { Qt::Key_Down, vbKeyDown }
+ { Qt::Key_Down, 41 }
@@ 64 src/platform/forms/KeyCodes.cpp | the number pad's digits arrive as the typing row's
- return static_cast<std::int16_t>(96 + key - Qt::Key_0);
+ return static_cast<std::int16_t>(48 + key - Qt::Key_0);
@@ 65 src/platform/system/System.cpp | the program's name keeps a leading "/"
- return program_name(path.substr(path.rfind('/') + 1));
+ return program_name(path.substr(path.rfind('/')));
@@ 66 src/app/WindowReach.cpp | 10 pixels of title bar count as within reach
- constexpr float GripWidth = 100 * platform::TwipsPerPixel;
+ constexpr float GripWidth = 10 * platform::TwipsPerPixel;
@@ 67 src/app/WindowReach.cpp | a window brought back may hang over the screen's far edge
- std::min(start, area_start + area_length - length)
+ std::min(start, area_start + area_length)
@@ 68 src/platform/forms/DesktopEnd.cpp | closing the terminal (SIGHUP) ends without saving
- { SIGTERM, SIGHUP, SIGINT }
+ { SIGTERM, SIGINT }
@@ 69 src/platform/forms/DesktopEnd.h | a lost display ends with status 1
- DisplayLostStatus = 2;
+ DisplayLostStatus = 1;
@@ 70 src/platform/forms/DesktopEnd.cpp | a session checkpoint ends the bus instead of saving
- endings().save();
+ endings().end();
@@ 71 src/platform/forms/Application.cpp | a Wayland socket that is no socket is taken for one
- std::filesystem::is_socket(socket, ignored)
+ std::filesystem::exists(socket, ignored)
@@ 72 src/platform/picture/BitmapFile.cpp | a big bitmap whose last row is not in the file is shown
- if (bytes.u32(10) + all.total * all.stride > file->size())
+ if (bytes.u32(10) + (all.total - 1) * all.stride > file->size())
@@ 73 src/doors/Form1_doors.cpp | the middle door's first frame is cut short by its sound
-     Common::PlayWave(101);
-     const MiddleMode mode = middle_mode();
-     const Image& measured = imgNakaorido(mode == MiddleMode::Right ? 1 : 0);
-     FramePacer frames; // after the sound: it is no part of the first frame
+     FramePacer frames;
+     Common::PlayWave(101);
+     const MiddleMode mode = middle_mode();
+     const Image& measured = imgNakaorido(mode == MiddleMode::Right ? 1 : 0);
@@ 74 src/platform/picture/Picture.cpp | a picture's clear pixels show what the box showed before
-         && !m_state->whole->hasAlphaChannel() && QRect(at, m_state->size).contains(area);
+         && QRect(at, m_state->size).contains(area);
@@ 75 src/platform/forms/WindowIcon.cpp | the window icon's red and blue swapped
-     png.format = PNG_FORMAT_BGRA; // QImage's ARGB32 on a little-endian machine
+     png.format = PNG_FORMAT_RGBA; // QImage's ARGB32 on a little-endian machine
@@ 76 src/platform/codec/Dib.cpp | a bitmap's part in view is taken from the row's left end
-     const std::uint8_t* pixel = row.data() + std::size_t(part.left()) * 3;
+     const std::uint8_t* pixel = row.data();
@@ 77 src/app/Form1_settings.cpp | a saved place off every screen is kept
-         if (within_reach({ form.left(), form.top(), form.scale_width(), form.scale_height() }, screens))
+         if (true || within_reach({ form.left(), form.top(), form.scale_width(), form.scale_height() }, screens))
FAULTS
}

usage() { sed -n '2,13s/^# \{0,1\}//p' "$0"; }

work=/tmp/seeded-faults
list_only=no
from_head=no
wanted=()
while (($#)); do
  case $1 in
    --list) list_only=yes; shift ;;
    --head) from_head=yes; shift ;;
    --work) work=${2:?--work needs a folder}; shift 2 ;;
    -h|--help) usage; exit 0 ;;
    [0-9]*) wanted+=("$1"); shift ;;
    *) echo "seeded-faults: unknown argument $1" >&2; usage >&2; exit 64 ;;
  esac
done
tree=$work/tree
build=$tree/build-faults
logs=$work/logs

# Parsed faults, by number.
declare -A place what original replacement
numbers=()
parse_faults() {
  local line number="" kind
  while IFS= read -r line; do
    kind=${line:0:2}
    case $kind in
      '@@')
        read -r number place_text <<<"${line#@@ }"
        place[$number]=${place_text%% | *}
        what[$number]=${place_text#* | }
        numbers+=("$number") ;;
      '- ') original[$number]+=${original[$number]+$'\n'}${line:2} ;;
      '+ ') replacement[$number]+=${replacement[$number]+$'\n'}${line:2} ;;
      '+') replacement[$number]+="" ;;
    esac
  done < <(fault_list)
}

# The working tree as git sees it (new files included), or the last commit, copied where
# it differs, so that an unchanged file keeps its time and is not rebuilt; files gone from
# it go here too.
sync_tree() {
  mkdir -p "$tree"
  local file source=$repo
  local -A present=()
  if [[ $from_head == yes ]]; then
    source=$work/head
    rm -rf "$source" && mkdir -p "$source"
    git -C "$repo" archive HEAD | tar -x -C "$source"
    git -C "$repo" ls-tree -r -z --name-only HEAD >"$work/files"
  else
    git -C "$repo" ls-files -z --cached --others --exclude-standard >"$work/files"
  fi
  while IFS= read -r -d '' file; do
    [[ -f $source/$file ]] || continue
    present[$file]=1
    if ! cmp -s "$source/$file" "$tree/$file"; then
      mkdir -p "$(dirname "$tree/$file")"
      cp "$source/$file" "$tree/$file"
    fi
  done <"$work/files"
  while IFS= read -r -d '' file; do
    [[ -v present[${file#"$tree"/}] ]] || rm -f "$file"
  done < <(find "$tree" -path "$build" -prune -o -type f -print0)
}

configure() {
  [[ -f $build/build.ninja ]] && return
  # Each fault relinks every test program: lld does that several times faster.
  local linker=()
  command -v ld.lld >/dev/null && linker=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld)
  cmake -S "$tree" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "${linker[@]}" >"$logs/configure.log" 2>&1 \
    || { echo "seeded-faults: configuring failed, see $logs/configure.log" >&2; exit 2; }
}

# build_tree <log> [targets...]: everything, or only these.
build_tree() { local log=$1; shift; cmake --build "$build" -j 2 ${1:+--target "$@"} >"$log" 2>&1; }
# The quick Qt Test programs' targets.
quick_targets() { ninja -C "$build" -t targets all | sed -n 's/^\(tst_[a-z0-9_]*\): phony$/\1/p'; }

# ctest with --stop-on-failure where this ctest has it (3.25 on); prints the failed tests.
if ctest --help | grep -q -- --stop-on-failure; then stop_on_failure=--stop-on-failure; else stop_on_failure=; fi
failed_tests() {
  local log=$1; shift
  (cd "$build" && ctest --output-on-failure -j 1 $stop_on_failure "$@") >"$log" 2>&1 || true
  sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) (.*)$/\1/p' "$log" | sort -u | paste -sd ' ' -
}

# Tests that fail on the unchanged tree cannot catch anything; they are left out.
broken=""
exclusion() { [[ -n $broken ]] && printf '%s' "^(${broken// /|})\$"; }
baseline() {
  build_tree "$logs/baseline-build.log" || { echo "seeded-faults: the unchanged tree does not build, see $logs/baseline-build.log" >&2; exit 2; }
  local quick slow
  # Without stopping: every test that fails already must be known.
  stop_on_failure_saved=$stop_on_failure; stop_on_failure=
  quick=$(failed_tests "$logs/baseline-quick.log" -R '^tst_')
  slow=$(failed_tests "$logs/baseline-rest.log" -E '^tst_')
  stop_on_failure=$stop_on_failure_saved
  broken=$(echo $quick $slow)
  [[ -z $broken ]] || echo "seeded-faults: failing on the unchanged tree, left out: $broken" >&2
}

# The test that caught the seeded fault, "compiler" for a build that failed, or MISSED.
catcher() {
  local n=$1 caught exclude
  build_tree "$logs/fault-$n-build.log" $(quick_targets) || { echo "compiler"; return; }
  exclude=$(exclusion)
  caught=$(failed_tests "$logs/fault-$n-quick.log" -R '^tst_' ${exclude:+-E "$exclude"})
  if [[ -z $caught ]]; then
    build_tree "$logs/fault-$n-build-rest.log" || { echo "compiler"; return; }
    caught=$(failed_tests "$logs/fault-$n-rest.log" -E "^tst_${exclude:+|${exclude#^}}")
  fi
  echo "${caught:-MISSED}"
}

faulted_file=""
faulted_copy=""
restore() {
  [[ -n $faulted_file ]] || return 0
  cat "$faulted_copy" >"$faulted_file" # a new time: the next build compiles it again
  faulted_file=""
}
trap restore EXIT
trap 'restore; exit 130' INT TERM

# True when fault n's original text is in its file under the given root exactly once.
applies() {
  local n=$1 file=$2/${place[$1]} content rest
  [[ -f $file ]] || return 1
  IFS= read -r -d '' content <"$file" || true
  rest=${content#*"${original[$n]}"}
  [[ $rest != "$content" && $rest != *"${original[$n]}"* ]]
}

# Seeds fault n; false when its original text is not there exactly once.
apply() {
  local n=$1 file=$tree/${place[$1]} content
  applies "$n" "$tree" || return 1
  IFS= read -r -d '' content <"$file" || true
  faulted_copy=$work/original
  cp "$file" "$faulted_copy"
  faulted_file=$file
  printf '%s' "${content/"${original[$n]}"/"${replacement[$n]-}"}" >"$file"
}

row() { printf '| %s | %s | %s | %s |\n' "$@"; }

parse_faults
if [[ $list_only == yes ]]; then
  # With whether each still applies to the working tree.
  for n in "${numbers[@]}"; do
    applies "$n" "$repo" && state="" || state="  [NOT APPLIED: original text not there exactly once]"
    printf '%3s  %-40s %s%s\n' "$n" "${place[$n]}" "${what[$n]}" "$state"
  done
  exit 0
fi
((${#wanted[@]})) || wanted=("${numbers[@]}")
for n in "${wanted[@]}"; do
  [[ -v place[$n] ]] || { echo "seeded-faults: there is no fault $n" >&2; exit 64; }
done

mkdir -p "$logs"
exec 9>"$work/lock"
flock -n 9 || { echo "seeded-faults: another run uses $work" >&2; exit 2; }
sync_tree
configure
baseline
row "#" "place" "fault" "caught by"
row "---" "---" "---" "---"
status=0
for n in "${wanted[@]}"; do
  if ! apply "$n"; then
    row "$n" "${place[$n]}" "${what[$n]}" "NOT APPLIED (original text not there exactly once)"
    status=1
    continue
  fi
  caught=$(catcher "$n")
  restore
  [[ $caught == MISSED ]] && status=1
  [[ $caught == compiler ]] && caught="the compiler"
  row "$n" "${place[$n]}" "${what[$n]}" "$caught"
done
exit $status
