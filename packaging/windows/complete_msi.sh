#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Completes what wixl 0.101 cannot say in caesar.wxs.
# - The Bulgarian texts. wixl writes the database with no code page, which drops every
#   non-ASCII string of its tables, so caesar.wxs carries English stand-ins there; this sets
#   the code page to Cyrillic (1251) and writes the Bulgarian texts over them.
# - A rebuild of the same version replaces the installed one. wixl's MajorUpgrade finds only
#   older versions (its maximum is exclusive), so a rebuilt installer, which has a product
#   code of its own, would install beside it.
# - The summary's languages. wixl writes English (1033) into the template, whatever the
#   package says; the summary's own texts keep their Cyrillic, having a code page of their own.
# Usage: complete_msi.sh INSTALLER.msi
set -euo pipefail
msi=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
printf '\r\n\r\n1251\t_ForceCodepage\r\n' >"$scratch/_ForceCodepage.idt"
msibuild "$msi" -i "$scratch/_ForceCodepage.idt"

name='Шифър на Цезар'
summary='Шифърът на Цезар, показан стъпка по стъпка'
lessons='Шифър на Цезар — уроци в браузъра'
lessons_summary='Още уроци за шифъра на Цезар в една страница, която се отваря в браузъра'
newer="По-нова версия на „$name“ вече е инсталирана."
msibuild "$msi" -q "UPDATE \`Property\` SET \`Value\` = '$name' WHERE \`Property\` = 'ProductName'"
# A shortcut's file name is "short|long"; the short one serves only 8.3 file systems.
msibuild "$msi" -q "UPDATE \`Shortcut\` SET \`Name\` = 'CAESAR~1.LNK|$name', \`Description\` = '$summary' WHERE \`Shortcut\` = 'StartMenuShortcut'"
msibuild "$msi" -q "UPDATE \`Shortcut\` SET \`Name\` = 'CAESAR~2.LNK|$lessons', \`Description\` = '$lessons_summary' WHERE \`Shortcut\` = 'LessonsShortcut'"
msibuild "$msi" -q "UPDATE \`LaunchCondition\` SET \`Description\` = '$newer' WHERE \`Condition\` = 'NOT WIX_DOWNGRADE_DETECTED'"

# The table is rewritten whole, since its Attributes are part of its key: 1 migrates the
# features, 512 makes the maximum, this version, inclusive.
msiinfo export "$msi" Upgrade | tr -d '\r' |
    awk 'BEGIN { FS = OFS = "\t" } $7 == "WIX_UPGRADE_DETECTED" { $5 = 513 } { printf "%s\r\n", $0 }' \
        >"$scratch/Upgrade.idt"
msibuild "$msi" -i "$scratch/Upgrade.idt"

# msibuild sets the template only with the subject and the author, so those are read back.
summary_field() {
    msiinfo suminfo "$msi" | sed -n "s/^$1: //p"
}
msibuild "$msi" -s "$(summary_field Subject)" "$(summary_field Author)" "x64;1026"
