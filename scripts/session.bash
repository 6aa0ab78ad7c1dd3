# Sourced by scripts/test and scripts/run: each long command runs in a
# session of its own, and a signal to the script (Ctrl-C, or SIGINT or
# SIGTERM to it or to its process group) ends every process of that
# session, then the script, within seconds.

# Started in the background of a script, the script would ignore SIGINT for
# good; Ctrl-C and SIGINT stop it all the same.
[[ -n ${LAYERBAR_SIGINT-} ]] || LAYERBAR_SIGINT=default exec env --default-signal=INT "$0" "$@"

# The session of the command running.
job=""

# Runs a command in a session of its own and waits for it; its status.
in_session() {
    local status=0
    setsid "$@" <&0 &
    job=$!
    wait "$job" || status=$?
    job=""
    return $status
}

# Ends every process of the running command's session, TERM and then KILL
# to any left after 4 s, each only to those listed just before; then runs
# COMMAND, if any, and exits with STATUS.
#   stop STATUS [COMMAND ...]
stop() {
    local pids=() signal i
    for signal in TERM KILL; do
        for ((i = 0; i < 40 && ${#job}; i++)); do
            mapfile -t pids < <(pgrep -s "$job" -r R,S,D,T,t)
            ((${#pids[@]})) || break
            ((i > 0)) || kill -"$signal" "${pids[@]}" 2>/dev/null
            sleep 0.1
        done
    done
    "${@:2}"
    exit "$1"
}
trap 'stop 130' INT
trap 'stop 143' TERM
