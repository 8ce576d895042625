# bash completion for qxcfg.
#
# The commands, each command's options, the setting names and their choices
# come from qxcfg itself (its help, `qxcfg fields` and `qxcfg show`), so they
# follow the installed program;
# serial devices come from `qxcfg ports` and /dev/serial/by-id.

# Offers the words in $1 (one per line) that start with $2; bash replaces
# only the part after the last "=" or ":", so that part is what is offered.
_qxcfg_offer() {
    local word=$2 kept=${2%"${2##*[=:]}"} candidate
    local IFS=$'\n'
    for candidate in $1; do
        [[ $candidate == "$word"* && $candidate != "$kept" ]] && COMPREPLY+=("${candidate#"$kept"}")
    done
}

_qxcfg_files() {  # $1: a glob the names must match ("" for any), $2: the word
    local IFS=$'\n'
    compopt -o filenames 2>/dev/null
    if [[ -n $1 ]]; then
        COMPREPLY+=($(compgen -d -- "$2") $(compgen -f -X "!$1" -- "$2"))
    else
        COMPREPLY+=($(compgen -f -- "$2"))
    fi
}

_qxcfg_ports() {
    local qxcfg=$1 word=$2 devices
    devices=$("$qxcfg" ports 2>/dev/null | awk '/^\//{print $1} $1 == "by-id:"{print $2}')
    _qxcfg_offer "$(printf 'COM%s\n' 1 2 3 4 5 6 7 8)
$devices" "$word"
    [[ $word == /* || $word == .* ]] && _qxcfg_files "" "$word"
}

_qxcfg() {
    # The words as typed, split at blanks only: bash's own words are also
    # split at "=" and ":", which options such as --com 1=PATH contain.
    local line=${COMP_LINE:0:COMP_POINT} cur= prev command= i
    local -a words
    read -ra words <<<"$line"
    if [[ $line != *[[:space:]] ]]; then
        cur=${words[${#words[@]} - 1]}
        unset 'words[${#words[@]}-1]'
    fi
    local qxcfg=${words[0]}
    prev=${words[${#words[@]} - 1]}
    COMPREPLY=()

    # The command is the first word after the global options.
    for ((i = 1; i < ${#words[@]}; i++)); do
        case ${words[i]} in
            --model) ((i++)) ;;
            -*) ;;
            *) command=${words[i]}; break ;;
        esac
    done

    case $prev in
        --model) _qxcfg_offer $'QX7T-R\nQX5T' "$cur"; return ;;
        --port) _qxcfg_ports "$qxcfg" "${cur#port:}"; return ;;
        --baud) _qxcfg_offer "$(printf '%s\n' 1200 2400 4800 9600 14400 19200 28800 31250 38400 57600 76800 115200)" "$cur"; return ;;
        --format) _qxcfg_offer $'N-8-1\nE-7-1\nO-7-1\nE-7-2\nO-7-2\nN-8-2\nN-7-1' "$cur"; return ;;
        --test) _qxcfg_offer $'1\n2\n3' "$cur"; return ;;
        --com)
            if [[ $cur == [1-8]=* ]]; then _qxcfg_ports "$qxcfg" "${cur#?=}"; else _qxcfg_offer "$(printf '%s=\n' 1 2 3 4 5 6 7 8)" "$cur"; fi
            compopt -o nospace 2>/dev/null; return ;;
        -o) _qxcfg_files "*.X7R" "$cur"; return ;;
        --log | --from-json | --sysfs | --dev) _qxcfg_files "" "$cur"; return ;;
        --sysaddr | --seconds | --escape-char | --escape-chars) return ;;
        --set) _qxcfg_fields "$qxcfg" "$cur"; return ;;
    esac

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            _qxcfg_offer $'--model\n--yes\n--no\n--help\n--version' "$cur"
        else
            _qxcfg_offer "$("$qxcfg" --help 2>/dev/null | awk '/^Commands:/{on=1; next} on && /^$/{exit} on && /^  [^ ]/{print $1}')" "$cur"
        fi
        return
    fi

    if [[ $cur == -* ]]; then
        _qxcfg_offer "$("$qxcfg" help "$command" 2>/dev/null | awk '/^  -/{print $1}' | sort -u)
--help" "$cur"
        return
    fi

    # The positional words of each command.
    case $command in
        set)
            # With --port every word is NAME=VALUE; else FILE comes first.
            local positional=0 onModule=0
            for ((i = i + 1; i < ${#words[@]}; i++)); do
                [[ ${words[i]} == --port || ${words[i]} == --port=* ]] && onModule=1
                [[ ${words[i]} != -* && ! ${words[i - 1]} =~ ^(-o|--from-json|--port|--baud|--format|--com|--log|--escape-char)$ ]] &&
                    ((positional++))
            done
            if ((positional == 0 && !onModule)); then _qxcfg_files "*.X7R" "$cur"; else _qxcfg_fields "$qxcfg" "$cur"; fi ;;
        get) _qxcfg_offer "$(_qxcfg_setting_names "$qxcfg")" "$cur" ;;
        show | write | commands) _qxcfg_files "*.X7R" "$cur" ;;
        parse-listing) _qxcfg_files "" "$cur" ;;
        diff)
            if [[ $cur == port:* ]]; then
                _qxcfg_ports "$qxcfg" "${cur#port:}"
            else
                _qxcfg_offer "port:" "$cur"
                _qxcfg_files "*.X7R" "$cur"
            fi ;;
        txber) _qxcfg_offer $'start\nstop' "$cur" ;;
        help) _qxcfg_offer "$("$qxcfg" --help 2>/dev/null | awk '/^Commands:/{on=1; next} on && /^$/{exit} on && /^  [^ ]/{print $1}')" "$cur" ;;
    esac
}

# Every setting's names: the keys and aliases `qxcfg fields` lists and the
# control names `qxcfg show` prints.
_qxcfg_setting_names() {
    local qxcfg=$1
    "$qxcfg" fields 2>/dev/null | awk '/^[^ ]/ { print $1; if ($2 ~ /^\(.*\)$/) print substr($2, 2, length($2) - 2) }'
    "$qxcfg" show 2>/dev/null | sed -n 's/^\([A-Za-z_0-9]*\)=.*/\1/p' | grep -vx PlcModeActive
}

# NAME= for every setting; after NAME=, the setting's choices.
_qxcfg_fields() {
    local qxcfg=$1 word=$2 name=${2%%=*}
    if [[ $word == *=* ]]; then
        _qxcfg_offer "$("$qxcfg" fields 2>/dev/null | awk -v n="$name" '
            /^[^ ]/ { hit = ($1 == n || $2 == "(" n ")"); next }
            hit && ($1 == "choice" || $1 == "flag") {
                sub(/^ *(choice|flag) /, ""); sub(/;.*/, ""); gsub(/ \| /, "\n"); print; exit
            }' | sed "s|^|$name=|")" "$word"
        return
    fi
    compopt -o nospace 2>/dev/null
    _qxcfg_offer "$(_qxcfg_setting_names "$qxcfg" | sed 's/$/=/')" "$word"
}

complete -F _qxcfg qxcfg
