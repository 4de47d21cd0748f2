# The figures the start-up benchmarks print, sourced by them.
# median VALUES..., range VALUES..., stat_line LABEL VALUES...
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
range() { printf '%s\n' "$@" | sort -g | awk 'NR==1{lo=$1} {hi=$1} END {printf "%s-%s", lo, hi}'; }
stat_line() {  # stat_line LABEL VALUES...
  local label="$1"
  shift
  printf '  %-34s median %8s  range %s\n' "$label" "$(median "$@")" "$(range "$@")"
}
