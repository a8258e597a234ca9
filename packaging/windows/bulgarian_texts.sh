#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Gives the installer its Bulgarian texts. wixl 0.101 writes the database with no code page,
# which drops every non-ASCII string, so caesar.wxs carries English stand-ins; this sets the
# database's code page to Cyrillic (1251) and writes the Bulgarian texts over them.
# Usage: bulgarian_texts.sh INSTALLER.msi
set -euo pipefail
msi=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
printf '\r\n\r\n1251\t_ForceCodepage\r\n' >"$scratch/_ForceCodepage.idt"
msibuild "$msi" -i "$scratch/_ForceCodepage.idt"

name='Шифър на Цезар'
summary='Шифърът на Цезар, показан стъпка по стъпка'
newer="По-нова версия на „$name“ вече е инсталирана."
msibuild "$msi" -q "UPDATE \`Property\` SET \`Value\` = '$name' WHERE \`Property\` = 'ProductName'"
# A shortcut's file name is "short|long"; the short one serves only 8.3 file systems.
msibuild "$msi" -q "UPDATE \`Shortcut\` SET \`Name\` = 'CAESAR~1.LNK|$name', \`Description\` = '$summary' WHERE \`Shortcut\` = 'StartMenuShortcut'"
msibuild "$msi" -q "UPDATE \`LaunchCondition\` SET \`Description\` = '$newer' WHERE \`Condition\` = 'NOT WIX_DOWNGRADE_DETECTED'"
