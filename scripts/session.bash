# Sourced by scripts/test and scripts/run: each long command runs in a session of its own, and a
# signal to the script or its process group ends all of that session, then the script.

# Started in the background of another script, it would ignore SIGINT for good.
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

# Ends the running command's session (TERM, then KILL after 4 s, each to the processes pkill lists
# in it as it sends), then runs COMMAND, if any, and exits with STATUS.
#   stop STATUS [COMMAND ...]
stop() {
    local signal i
    for signal in TERM KILL; do
        [[ -z $job ]] || pkill -"$signal" -s "$job" -r R,S,D,T,t || true
        for ((i = 0; i < 40 && ${#job}; i++)); do
            pgrep -s "$job" -r R,S,D,T,t >/dev/null || break
            sleep 0.1
        done
    done
    "${@:2}"
    exit "$1"
}
trap 'stop 130' INT
trap 'stop 143' TERM
