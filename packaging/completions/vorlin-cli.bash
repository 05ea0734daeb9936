# bash completion for vorlin-cli: commands, each command's options, the values of options that
# take a fixed set, and file names everywhere else.

_vorlin_cli_options() {
    case $1 in
    export)
        echo "-o --output --pal --no-pal --pal-start --pal-count --img --no-img --tiles
              --bitmap --bpp --img-cprs --map --no-map --map-layout --reduce --no-reduce
              --flip --no-flip --palbank --no-palbank --meta-pal --no-meta-pal --map-cprs
              --tile-offset --meta --meta-shape --meta-size --area --area-image --unit
              --header --no-header --append --no-append --best --no-best --symbol
              --auto-banks --quantize --dither --palette --preset --save-preset --preview --stats
              --stats=json --strict --char-block --screen-block --help" ;;
    convert) echo "--bpp --sub-palette --transparent --quantize --dither --palette --help" ;;
    info) echo "--quantize --dither --palette --help" ;;
    reduce) echo "--pal --flip --meta --quantize --dither --palette --help" ;;
    compress) echo "--best --help" ;;
    decompress) echo "--help" ;;
    banks) echo "--tile --max-banks --shared-zero --no-shared-zero --fixed --partial --help" ;;
    palette) echo "--start --count --pal-format --help" ;;
    esac
}

_vorlin_cli_values() {
    local command=$1 option=$2
    case $option in
    --bpp) [ "$command" = convert ] && echo "4 8 24" || echo "1 2 4 8 16" ;;
    --img-cprs | --map-cprs) echo "none lz77 huff rle" ;;
    --map-layout) echo "flat sbb affine" ;;
    --meta-shape) echo "sqr wide tall" ;;
    --meta-size) echo "1 2 4 8" ;;
    --unit) echo "u8 u16 u32" ;;
    --quantize) echo "fast best" ;;
    --pal-format) echo "clrx jasc riff" ;;
    *) return 1 ;;
    esac
}

_vorlin_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    if [ "$COMP_CWORD" -eq 1 ]; then
        mapfile -t COMPREPLY < <(compgen -W "export convert info reduce compress decompress
                                             banks palette --help --version" -- "$cur")
        return
    fi
    local command=${COMP_WORDS[1]} values
    if [ "$command" = compress ] && [ "$COMP_CWORD" -eq 2 ] && [[ $cur != -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "lz77 huff rle" -- "$cur")
        return
    fi
    if values=$(_vorlin_cli_values "$command" "$prev"); then
        mapfile -t COMPREPLY < <(compgen -W "$values" -- "$cur")
        return
    fi
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(_vorlin_cli_options "$command")" -- "$cur")
        return
    fi
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    compopt -o filenames 2>/dev/null
}

complete -F _vorlin_cli vorlin-cli
