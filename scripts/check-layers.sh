#!/usr/bin/env bash
# Checks the include layering of the engine's sources: a folder of src/
# includes only itself and the folders below it in the order here. Prints
# every include against the order or through .., every folder missing from
# the order and every file outside the folders, and fails if there is any.
# Usage: check-layers.sh [SOURCE_DIR] (default src/).
set -euo pipefail
SRC=${1:-$(cd "$(dirname "$0")/.." && pwd)/src}

# The layers, bottom to top; README.md's Layout lists them in this order.
LAYERS=(base values image code compiler exec window graphics controls system input audio run startup)

declare -A rank
for i in "${!LAYERS[@]}"; do rank[${LAYERS[$i]}]=$i; done

status=0
for file in "$SRC"/*; do
  [[ -f $file ]] || continue
  echo "src/$(basename "$file"): outside every layer folder"
  status=1
done
for dir in "$SRC"/*/; do
  folder=$(basename "$dir")
  if [[ -z ${rank[$folder]+set} ]]; then
    echo "src/$folder: not in the layer order"
    status=1
  fi
done

include='^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"/]+)/[^"]*"'
while IFS= read -r hit; do
  file=${hit%%:*}
  rest=${hit#*:}
  line=${rest%%:*}
  text=${rest#*:}
  [[ $text =~ $include ]] || continue
  to=${BASH_REMATCH[1]}
  if [[ $text == *..* ]]; then
    echo "src/${file#"$SRC"/}:$line: ${text#"${text%%[![:space:]]*}"}: a path through .. hides its folder"
    status=1
    continue
  fi
  path=${file#"$SRC"/}
  from=${path%%/*}
  [[ -n ${rank[$from]+set} ]] || continue  # reported above
  if [[ -z ${rank[$to]+set} ]]; then
    echo "src/$path:$line: ${text#"${text%%[![:space:]]*}"}: $to is not in the layer order"
    status=1
  elif (( rank[$to] > rank[$from] )); then
    echo "src/$path:$line: ${text#"${text%%[![:space:]]*}"}: $to is above $from"
    status=1
  fi
done < <(grep -rnE "$include" "$SRC" || true)

if (( status == 0 )); then
  echo "includes follow the layer order: ${LAYERS[*]}"
fi
exit $status
