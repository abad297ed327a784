#!/usr/bin/env bash
# End to end: examples/form at a scale under real input: a name typed with a Latin-1 letter and
# entered (printed in UTF-8), Tab to the e-mail field, a paste from another X client, Tab to the password, the
# printed lines (UTF-8) and the log that shows them, a copy back to the other client, Escape.
# The first frame is docs/form.png (scale 1) or docs/form_scale2.png: the test keeps it true.
# Usage: form_e2e.sh <vuna-form> <scale 1 or 2> <folder for pictures and logs> [preload library]
set -euo pipefail
exe=$(realpath "$1")
scale=$2
out=$(realpath -m "$3")
preload=${4:-}
here=$(dirname "$(realpath "$0")")
goldens=$(realpath "$here/../../docs")
# shellcheck source-path=SCRIPTDIR source=../app/e2e_lib.sh
source "$here/../app/e2e_lib.sh"
rm -rf "$out"
mkdir -p "$out"
golden=form
[ "$scale" = 1 ] || golden=form_scale$scale

# Points of the form to window pixels: the window "Form" is at (20, 20); its fields at x 100,
# 200 wide, 20 high, at y 35, 65 and 95; the log at (10, 130), 380 by 150.
px() { echo $(($1 * scale)); }
click_point() { click_at "$(px "$1")" "$(px "$2")"; }

# The letters typed beyond ASCII get keycodes of their own first: xdotool otherwise binds a
# spare keycode for each such letter and undoes it at once, and a program slow to read its
# events (a sanitizer build) then finds the keycode unbound and the letter lost.
for letters in "ediaeresis Ediaeresis" "adiaeresis Adiaeresis"; do
  keycode=$(xmodmap -pke | awk 'NF == 3 && !found { print $2; found = 1 }')
  xmodmap -e "keycode $keycode = $letters"
done

start_program "Vuna form" "$(px 500)x$(px 400)" --scale "$scale"
wait_for_screen "$(px 490)" "$(px 390)" "the form at scale $scale"
see first-frame "$golden" "the first frame is the one docs/$golden.png shows"

click_point 150 65     # the Name field
type_text "Zoë"
keys Return
keys Tab
printf 'a@b.example' | xclip -selection clipboard -i
keys ctrl+v Return
keys Tab
type_text "secret"
keys Return
if expect_output "name: Zoë" "email: a@b.example" "password length 6"; then
  pass "Enter in each field printed its line, the clipboard's text pasted"
else
  fail "the printed lines are: $(tr '\n' '|' < "$out/stdout.log")"
fi
# The log shows the three lines: dark text on the view's face in its first rows.
shot log
dark=$(convert "$out/log.png" -crop "$(px 300)x$(px 60)+$(px 35)+$(px 155)" -colorspace gray \
  -threshold 40% -negate -format '%[fx:mean*w*h]' info:)
[ "${dark%.*}" -gt $((60 * scale)) ] && pass "the log shows the printed lines ($dark dark pixels)" ||
  fail "the log shows no text ($dark dark pixels, see $out/log.png)"

# Shift+Tab back twice to the name, all of it copied for another client: a Latin-1 letter too.
keys shift+Tab shift+Tab
type_text " ärger"
keys ctrl+a ctrl+c
sleep 0.3
copied=$(xclip -selection clipboard -o 2>/dev/null || true)
[ "$copied" = "Zoë ärger" ] && pass "Ctrl+A, Ctrl+C gave the other client \"$copied\"" ||
  fail "the clipboard holds \"$copied\", expected \"Zoë ärger\""

end_with_escape
finish
