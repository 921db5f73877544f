#!/usr/bin/env bash
# The layers only look down: document <- dates, grid, print <- interchange <- sync <- list <- app
# <- plugins (which app never includes, as it loads them),
# and nothing below app includes Qt; libical only in interchange/; and the task list's public surface
# stays within its limit of member functions. Usage: layers_check.sh SRC_DIR
set -euo pipefail
src=$1
declare -A allowed=(
  [document]="document"
  [dates]="document dates"
  [grid]="document grid"
  [print]="document print"
  [interchange]="document dates interchange"
  [sync]="document dates interchange sync"
  [list]="document dates grid print interchange sync list"
  [app]="document dates grid print interchange sync list app"
  [plugins]="document dates grid print interchange sync list app plugins"
)
bad=0
for layer in "${!allowed[@]}"; do
  for file in "$src/$layer"/*; do
    [[ -f $file ]] || continue
    while IFS= read -r line; do
      if [[ $line =~ ^#include\ \"([a-z]+)/ ]]; then
        folder=${BASH_REMATCH[1]}
        if [[ " ${allowed[$layer]} " != *" $folder "* ]]; then
          echo "layers: ${file#"$src"/} includes $folder/, above its layer" >&2
          bad=1
        fi
      elif [[ $layer != app && $layer != plugins && $line =~ ^#include\ \<(Q|qt) ]]; then
        echo "layers: ${file#"$src"/} includes Qt" >&2
        bad=1
      elif [[ $layer != interchange && $line =~ ^#include\ \<libical/ ]]; then
        echo "layers: ${file#"$src"/} includes libical outside interchange/" >&2
        bad=1
      fi
    done < <(grep -E '^#include' "$file")
  done
done
# ToDoList is the design's handlers and what the window reads, and no more.
max_public=45
here=$(dirname "${BASH_SOURCE[0]}")
public=$(python3 "$here/public_members.py" "$src/list/ToDoList.h" ToDoList | wc -l)
if ((public > max_public)); then
  echo "layers: ToDoList has $public public member functions, more than $max_public" >&2
  bad=1
fi
[[ $bad == 0 ]] && echo "layers: every include looks down; ToDoList has $public public member functions"
exit $bad
