#!/usr/bin/env bash
# Builds the default preset, runs the core and desktop benchmarks five times over and prints the
# median of every case, then the ratios the performance targets are about at 100 000 operations.
# Extra arguments go to the benchmark, for instance --benchmark_filter=Load.
# Save timings depend on the file system of the temporary folder (TMPDIR). With
# VARNELLE_BENCH_MILLION=1, the storage, command-line and editing cases also run at 1 000 000
# operations, and the growth from 100 000 is printed for every case run at both sizes.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset default >/dev/null
cmake --build --preset default --target varnelle_bench varnelle_gui_bench varnelle_cli_bench

results=$(mktemp)
trap 'rm -f "$results"' EXIT
for bench in varnelle_bench varnelle_gui_bench varnelle_cli_bench; do
    build/default/bench/$bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_out="$results.$bench" --benchmark_out_format=csv "$@"
    cat "$results.$bench" >>"$results"
    rm -f "$results.$bench"
done

awk -F, '
    /^"/ {
        name = $1
        gsub(/"/, "", name)
        if (name !~ /_median$/) next
        sub(/_median$/, "", name)
        sub(/\/real_time$/, "", name)
        scale = $5 == "ns" ? 1e-6 : $5 == "us" ? 1e-3 : $5 == "s" ? 1e3 : 1
        ms[name] = $3 * scale
        label[name] = $8
        gsub(/"/, "", label[name])
        order[++n] = name
    }
    function ratio(label, a, b, target) {
        if ((a in ms) && (b in ms) && ms[b] > 0)
            printf "  %-42s %6.2f   (target %s)\n", label, ms[a] / ms[b], target
    }
    # The storage and command-line ratios at one size; SaveAfterOpen runs at 100 000 only.
    function sizes(n, words,    a, b) {
        print ""
        print "At " words " operations:"
        ratio("Load / TokenizerBaseline", "BM_Load/" n, "BM_TokenizerBaseline/" n, "<= 1.5")
        ratio("Save / SaveBaseline", "BM_Save/" n, "BM_SaveBaseline/" n, "<= 1.5")
        ratio("SaveAfterOpen / SaveBaseline", "BM_SaveAfterOpen/" n, "BM_SaveBaseline/" n, "<= 2")
        ratio("varnelle-cli check / bare INI parser", "BM_CliCheck/" n, "BM_IniBaseline/" n, "<= 0.6")
        ratio("varnelle-cli show / check", "BM_CliShow/" n, "BM_CliCheck/" n, "<= 1.5")
        # No goal: the floor is what any journal kept as one array pays for a deletion.
        a = "BM_DeleteOperations/" n "/0"; b = "BM_DeleteBaseline/" n
        if ((a in ms) && (b in ms) && ms[b] > 0)
            printf "  %-42s %6.2f   (the floor of a one-array journal)\n",
                "One operation deleted / DeleteBaseline", ms[a] / ms[b]
    }
    END {
        print ""
        print "Medians of 5 repetitions, wall time in ms:"
        for (i = 1; i <= n; ++i)
            printf "  %-34s %10.3f  %s\n", order[i], ms[order[i]], label[order[i]]
        sizes(100000, "100 000")
        if ("BM_ImportReleve/100000" in ms)
            printf "  %-42s %6.2f ms (target < 1000 ms)\n", "Import of a 10 000-line statement",
                ms["BM_ImportReleve/100000"]
        if ("BM_EditResort/100000" in ms)
            printf "  %-42s %6.2f ms (target < 10 ms)\n", "EditResort", ms["BM_EditResort/100000"]
        if ("BM_OpenBudget/min_time:2.000" in ms)
            printf "  %-42s %6.2f ms (target < 150 ms)\n", "OpenBudget (chooser OK to window shown)",
                ms["BM_OpenBudget/min_time:2.000"]
        if ("BM_ReloadOperationsGrid" in ms)
            printf "  %-42s %6.2f ms (target < 5 ms)\n", "ReloadOperationsGrid (reload + repaint)",
                ms["BM_ReloadOperationsGrid"]
        if ("BM_TotauxTypesDepPeriode/100000" in ms)
            printf "  %-42s %6.2f ms (target < 20 ms)\n", "Type sums of the whole period",
                ms["BM_TotauxTypesDepPeriode/100000"]
        if ("BM_SerieOperationsPeriode/100000" in ms)
            printf "  %-42s %6.2f ms (target < 20 ms)\n", "Balance series of the whole period",
                ms["BM_SerieOperationsPeriode/100000"]
        split("Recap rebuilt and painted|Calendar rebuilt and painted|Recap repainted|Calendar repainted", what, "|")
        split("0/0 1/0 0/1 1/1", arg, " ")
        for (i = 1; i <= 4; ++i)
            if (("BM_RecapCalendrier/" arg[i]) in ms)
                printf "  %-42s %6.2f ms (target <= %d ms)\n", what[i],
                    ms["BM_RecapCalendrier/" arg[i]], i <= 2 ? 30 : 16
        if ("BM_ImprimeOperations/0" in ms)
            printf "  %-42s %6.2f ms (target <= 300 ms)\n", "Print preview, first page (1 563 pages)",
                ms["BM_ImprimeOperations/0"]
        if ("BM_ImprimeOperations/1" in ms)
            printf "  %-42s %6.0f ms (target <= 3000 ms)\n", "Journal as a PDF (1 563 pages)",
                ms["BM_ImprimeOperations/1"]
        if ("BM_OpenOperationsWindow/100000/repeats:5" in ms)
            printf "  %-42s %6.2f ms (target <= 16 ms)\n", "Operations window shown, every type",
                ms["BM_OpenOperationsWindow/100000/repeats:5"]
        if ("BM_ResizeOperationsWindow/100000" in ms)
            printf "  %-42s %6.2f ms (target <= 16 ms)\n", "Operations window resized",
                ms["BM_ResizeOperationsWindow/100000"]
        if ("BM_DessinerGrapheSiecles/100000/0" in ms)
            printf "  %-42s %6.2f ms (target <= 16 ms)\n", "Operations graph, year 1 to 9999",
                ms["BM_DessinerGrapheSiecles/100000/0"]
        if ("BM_DessinerGrapheSiecles/100000/1" in ms)
            printf "  %-42s %6.2f ms (target <= 16 ms)\n", "The same graph resized",
                ms["BM_DessinerGrapheSiecles/100000/1"]
        if ("BM_RenameType/100000" in ms)
            printf "  %-42s %6.2f ms (target <= 16 ms)\n", "Type of 30 % of operations renamed",
                ms["BM_RenameType/100000"]
        if ("BM_RenameType/1000000" in ms)
            printf "  %-42s %6.2f ms (target <= 100 ms)\n", "The same at 1 000 000 operations",
                ms["BM_RenameType/1000000"]
        if ("BM_AddOperation/100000" in ms)
            printf "  %-42s %6.2f ms (target <= 5 ms)\n", "Added operation, each typed cell",
                ms["BM_AddOperation/100000"] / 3
        split("One operation deleted|A month of operations deleted", quoi, "|")
        for (i = 0; i <= 1; ++i)
            if (("BM_DeleteOperations/100000/" i) in ms)
                printf "  %-42s %6.2f ms (target <= 5 ms)\n", quoi[i + 1],
                    ms["BM_DeleteOperations/100000/" i]
        if ("BM_BarChart/1000" in ms)
            printf "  %-42s %6.3f ms (target < 5 ms)\n", "Bar chart of 1 000 bars", ms["BM_BarChart/1000"]
        if (("BM_Load/1000000" in ms) || ("BM_DeleteBaseline/1000000" in ms)) sizes(1000000, "1 000 000")
        # A filter such as /(100000|1000000) gives both sizes of each case.
        header = 0
        for (i = 1; i <= n; ++i) {
            if (!match(order[i], /\/100000(\/|$)/)) continue
            big = substr(order[i], 1, RSTART - 1) "/1000000" substr(order[i], RSTART + 7)
            if (!(big in ms) || ms[order[i]] <= 0) continue
            if (!header++) {
                print ""
                print "Growth from 100 000 to 1 000 000 operations (linear: 10):"
            }
            printf "  %-42s %6.1f\n", big, ms[big] / ms[order[i]]
        }
    }' "$results"

# Aggregates carry no label: the peak memory is read from one plain run per size.
for size in 100000 ${VARNELLE_BENCH_MILLION:+1000000}; do
    peak=$(build/default/bench/varnelle_cli_bench --benchmark_filter="CliCheckMemory/$size/" 2>/dev/null |
        grep -o 'peak above empty [0-9.]* x file' || true)
    printf "  %-42s %s (target <= 2 x file)\n" "Peak memory of check, $size operations" "$peak"
done
