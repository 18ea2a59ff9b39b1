#!/usr/bin/env bash
# The two plugins as Outlook meets them: the add-in does not depend on the utility
# library, both export the four server entry points, registration writes the classes
# and the add-in's record, and unregistration leaves the registry store as it was.
set -euo pipefail
bin=$1
fail() { echo "FAIL: $*"; exit 1; }

dependencies=$(readelf -d "$bin/Quillet09.so")
grep -q 'UtilOrvek2' <<<"$dependencies" && fail "Quillet09.so depends on the utility library"
for library in Quillet09.so UtilOrvek2.so; do
  exports=$(nm -D --defined-only "$bin/$library" | awk '{print $3}' | sort | tr '\n' ' ')
  [ "$exports" = "DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer " ] ||
    fail "$library exports more or less than the four entry points: $exports"
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$bin/quillet-regsvr" --prefix "$prefix" "$bin/UtilOrvek2.so" >/dev/null  # a fresh prefix
"$bin/quillet-regsvr" -u --prefix "$prefix" "$bin/UtilOrvek2.so" >/dev/null
cp "$prefix/registry.reg" "$prefix/before.reg"

"$bin/quillet-regsvr" --prefix "$prefix" "$bin/UtilOrvek2.so" "$bin/Quillet09.so" >/dev/null
store="$prefix/registry.reg"
for text in \
  'Software\Microsoft\Office\Outlook\Addins\Quillet.Connect]' \
  '"FriendlyName"="Quillet"' \
  '"Description"="Quillet Outlook Utility for Plexar"' \
  '"LoadBehavior"=dword:00000003' \
  '"CommandLineSafe"=dword:00000000' \
  '{AAE619F5-1B17-4B8B-9168-33CCFC389532}' \
  '{4AAAE779-8750-4398-9A10-052409EEB246}' \
  '{02A7052C-E908-4A73-BAD9-CDDB89D3AAE3}' \
  '{ADD9B7A7-C511-4A04-B6B1-D4C38B8A6570}' \
  '{F75E3F00-15E9-4689-876C-6ED63675D3A4}\1.0]' \
  '{BE99275C-4C8F-423E-A295-EFC1F83BD127}\3.0]' \
  '@="Orvek Quillet Utility for Outlook 2000"' \
  '@="Orvek Utility Library 2"' \
  'Quillet.clsQLOutlook\CLSID]' \
  'UtilOrvek2.clsUtil\CLSID]' \
  '"ThreadingModel"="Apartment"'; do
  grep -qF -- "$text" "$store" || fail "the registry store lacks $text"
done

"$bin/quillet-regsvr" -u --prefix "$prefix" "$bin/Quillet09.so" "$bin/UtilOrvek2.so" >/dev/null
cmp -s "$prefix/before.reg" "$store" || { diff "$prefix/before.reg" "$store"; fail "unregistering left the store changed"; }
echo "libraries ok"
