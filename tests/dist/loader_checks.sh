# The checks of what the portable program folder takes from outside itself, shared by
# hidden_qt_run.sh and its own test (loader_checks_test.sh). Expects $folder (the unpacked
# program folder) and a fail function; reads the base system's list beside the sources.
# Outside the folder the program may take only the base system that the folder leaves to the
# machine (cmake/dist-base-system.txt) and what those libraries need in turn.
base_re=$(grep -v -e '^#' -e '^$' "$(dirname "${BASH_SOURCE[0]}")/../../cmake/dist-base-system.txt" | paste -sd'|')
declare -A allowed=()
# $1: what was checked; stdin: paths of libraries it took from outside the folder.
check_outside() {
    local what=$1 path name dep bad=""
    local -a paths=()
    mapfile -t paths
    for path in "${paths[@]}"; do
        name=${path##*/}
        [[ $name =~ $base_re ]] && [ -z "${allowed[$name]:-}" ] || continue
        allowed[$name]=1
        for dep in $(ldd "$path" | awk '$2 == "=>" { print $3 } $2 != "=>" { print $1 }'); do
            allowed[${dep##*/}]=1
        done
    done
    for path in "${paths[@]}"; do
        [ -n "${allowed[${path##*/}]:-}" ] || bad+=$'\n'"  $path"
    done
    [ -z "$bad" ] || fail "$what takes from outside the folder:$bad"
}
# What the program loads at run time from outside the folder. The base system may load what it
# likes in turn (a desktop's name service, D-Bus with its security modules, ...): that is the
# machine's business, whatever its libraries are called. What the program, a shipped library or
# a plugin loads must be of the base system, and no library the folder ships (Qt, ICU, ...) may
# come from outside it, whoever loads it.
#   $1: what was checked; $2: "NAME LOADER" lines; stdin: paths loaded from outside the folder.
check_loaded() {
    local what=$1 loads=$2 path name loader bad="" changed=1
    local -a paths=()
    local -A machine=() loaders=()
    mapfile -t paths
    while read -r name loader; do
        loaders[${name##*/}]+=" ${loader##*/}"
    done <"$loads"
    for path in "${paths[@]}"; do
        name=${path##*/}
        [[ $name =~ $base_re ]] && machine[$name]=1
    done
    while [ $changed -eq 1 ]; do
        changed=0
        for path in "${paths[@]}"; do
            name=${path##*/}
            [ -z "${machine[$name]:-}" ] || continue
            [ -e "$folder/lib/$name" ] && continue
            for loader in ${loaders[$name]:-}; do
                if [ -n "${machine[$loader]:-}" ]; then
                    machine[$name]=1
                    changed=1
                    break
                fi
            done
        done
    done
    for path in "${paths[@]}"; do
        name=${path##*/}
        if [ -e "$folder/lib/$name" ] || [[ $name =~ ^lib(Qt6|icu) ]]; then
            bad+=$'\n'"  $path (the folder's own library, taken from outside)"
        elif [ -z "${machine[$name]:-}" ]; then
            bad+=$'\n'"  $path (loaded by:${loaders[$name]:- nobody known})"
        fi
    done
    [ -z "$bad" ] || fail "$what takes from outside the folder:$bad"
}

