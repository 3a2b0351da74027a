#!/bin/sh
# run_fuzzer.sh DEFAULT_CORPUS FUZZER ARG...
#
# Runs FUZZER with the ARGs, where an ARG "corpus:SUB" stands for the folder
# SUB of the real-file corpus: $FERN_TESTDATA when set, else DEFAULT_CORPUS
# (../shared/testdata beside the repository). Without the corpus those seed
# folders are left out (with a note) and the fuzzer starts from our own
# fixtures alone; when FERN_TESTDATA is set, a missing folder is an error, as
# in the unit tests.
default=$1
fuzzer=$2
shift 2
top=${FERN_TESTDATA:-$default}
for arg; do
    shift
    case $arg in
        corpus:*)
            dir=$top/${arg#corpus:}
            if [ -d "$dir" ]; then
                set -- "$@" "$dir"
            elif [ -n "$FERN_TESTDATA" ]; then
                echo "run_fuzzer.sh: FERN_TESTDATA has no folder $dir" >&2
                exit 1
            else
                echo "run_fuzzer.sh: the real-file corpus is not in $dir; seeding from our fixtures only" >&2
            fi
            ;;
        *)
            set -- "$@" "$arg"
            ;;
    esac
done
exec "$fuzzer" "$@"
