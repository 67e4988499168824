#!/usr/bin/env bash
# Many jobs through Slurm: starts a single-node Slurm cluster from Debian's packages
# in a temporary folder (munged, slurmctld and slurmd as plain daemons, no systemd),
# makes 20 jobs with `korvane -batch -MakeJob` (the MakeJob end-to-end test), breaks
# two of them on purpose (a tool that fails, a base folder that is gone), submits all
# of them with scripts/korvane-slurm as one job array and checks every result on disk
# and the summary. The daemons are stopped on every way out.
#
# Usage: run_slurm_test.sh [build dir]   (default build/debug, already built)
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
build=$(cd "${1:-build/debug}" && pwd)
korvane=$build/src/korvane/korvane
e2e=$build/tests/e2e/test_e2e
root=$build/toolroot
for needed in "$korvane" "$e2e" "$root/Korvane.INI"; do
  [ -e "$needed" ] || { echo "run_slurm_test: $needed is missing: build first" >&2; exit 1; }
done

# Every wait is bounded: a cluster that does not come up or a job that hangs fails
# the test with the daemons' logs instead of holding up CI.
limit_up=60
limit_jobs=600
started=$(date +%s)

work=$(mktemp -d /tmp/korvane-slurm-test.XXXXXX)
chmod 700 "$work"
mkdir -p "$work/munge" "$work/state" "$work/spool" "$work/log" "$work/run"

show_logs() {
  for log in "$work"/log/*.log "$work"/munge/munged.log; do
    [ -f "$log" ] || continue
    echo "----- $log (last 40 lines)"
    tail -n 40 "$log"
  done
}

stop() {
  local status=$?
  # Only the daemons this script started, by the process ids they wrote.
  for pidfile in "$work/run/slurmd.pid" "$work/run/slurmctld.pid" "$work/munge/munged.pid"; do
    if [ -s "$pidfile" ]; then
      pid=$(cat "$pidfile")
      kill "$pid" 2>/dev/null || true
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -9 "$pid" 2>/dev/null || true
    fi
  done
  if [ "$status" -ne 0 ]; then
    echo "run_slurm_test: FAILED (status $status)" >&2
    show_logs >&2
  fi
  rm -rf "$work"
  exit "$status"
}
trap stop EXIT
trap 'exit 130' INT TERM

fail() {
  echo "run_slurm_test: $*" >&2
  exit 1
}

# --- munge: a key of our own and a socket in the temporary folder -----------------
head -c 1024 /dev/urandom > "$work/munge/munge.key"
chmod 400 "$work/munge/munge.key"
socket=$work/munge/munge.socket
/usr/sbin/munged --force --key-file="$work/munge/munge.key" --socket="$socket" \
  --pid-file="$work/munge/munged.pid" --log-file="$work/munge/munged.log" \
  --seed-file="$work/munge/munged.seed"
for _ in $(seq 50); do [ -S "$socket" ] && break; sleep 0.1; done
[ -S "$socket" ] || fail "munged did not start"

# --- slurm.conf: one node, this machine, ports that no installed Slurm uses --------
host=$(hostname -s)
cpus=$(nproc)
port=$((20000 + RANDOM % 20000))
conf=$work/slurm.conf
cat > "$conf" <<EOF
ClusterName=korvane-ci
SlurmctldHost=$host(127.0.0.1)
SlurmctldPort=$port
SlurmdPort=$((port + 1))
AuthType=auth/munge
AuthInfo=socket=$socket
CredType=cred/munge
SlurmUser=root
SlurmdUser=root
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/run/slurmctld.pid
SlurmdPidFile=$work/run/slurmd.pid
SlurmctldLogFile=$work/log/slurmctld.log
SlurmdLogFile=$work/log/slurmd.log
SlurmctldDebug=info
SlurmdDebug=info
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
MpiDefault=none
ReturnToService=2
SlurmctldTimeout=30
SlurmdTimeout=30
InactiveLimit=0
KillWait=5
NodeName=$host NodeAddr=127.0.0.1 CPUs=$cpus RealMemory=1000 State=UNKNOWN
PartitionName=ci Nodes=$host Default=YES MaxTime=60 State=UP
EOF
export SLURM_CONF=$conf

/usr/sbin/slurmctld -i -f "$conf"
/usr/sbin/slurmd -f "$conf" -N "$host"
up=0
for _ in $(seq $((limit_up * 2))); do
  if sinfo -h -o '%T' 2>/dev/null | grep -qx 'idle'; then up=1; break; fi
  sleep 0.5
done
[ "$up" = 1 ] || { sinfo 2>&1 || true; fail "the node did not become idle within ${limit_up} s"; }
echo "== single-node Slurm up on $host ($cpus CPUs) after $(($(date +%s) - started)) s"

# --- the 20 jobs, made by the end-to-end test of -MakeJob and kept ----------------
jobs=$work/jobs
mkdir -p "$jobs"
KORVANE_KEEP_JOBS=$jobs timeout 300 "$e2e" --gtest_brief=1 \
  --gtest_filter='MakeJob.TwentyJobsFromGeneratedFoldersAreMadeAndRun' \
  || fail "making the 20 jobs failed"
[ "$(wc -l < "$jobs/jobs.txt")" = 20 ] || fail "expected 20 jobs in $jobs/jobs.txt"
# Job 01 was run by the test; its results go, so that the cluster's run shows its own.
rm -rf "$jobs/base/job01/WrapOut"
# Job 07's source asks the stand-in tool to fail; job 13 loses its base folder.
rm -rf "$jobs/base/job13"

# --- submitted as one array, gathered, waited for ---------------------------------
# The jobs run with this environment: their settings go to a home of their own, not to
# the home of whoever runs the test.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
mkdir -p "$XDG_CONFIG_HOME"
out=$work/out
status=0
timeout "$limit_jobs" "$repo/scripts/korvane-slurm" --wait --max 4 --out "$out" \
  --korvane "$korvane" --list "$jobs/jobs.txt" -- -Root "$root" -Ini "$root/Korvane.INI" \
  || status=$?
[ "$status" = 1 ] || fail "korvane-slurm --wait ended with $status, expected 1 (two jobs fail)"
grep -Eq "job13.*(doesn.t|does not) exist|(doesn.t|does not) exist.*job13" "$out/logs/task-12.log" \
  || fail "job 13's log does not name its missing base folder"

# --- every result on disk and the summary -----------------------------------------
python3 - "$out" "$jobs" <<'EOF'
import json, os, sys
out, jobs = sys.argv[1], sys.argv[2]
summary = json.load(open(os.path.join(out, "summary.json")))
problems = []
def check(ok, what):
    if not ok:
        problems.append(what)
check(summary["jobs"] == 20 and summary["succeeded"] == 18 and summary["failed"] == 2,
      "summary counts: %r" % {k: summary[k] for k in ("jobs", "succeeded", "failed")})
expected_status = {6: 1, 12: 5}  # task index: exit status (job 07, job 13)
for row in summary["tasks"]:
    n = "%02d" % (row["task"] + 1)
    want = expected_status.get(row["task"], 0)
    check(row["exitStatus"] == want, "job %s: exit status %r, expected %d" % (n, row["exitStatus"], want))
    check(os.path.isfile(row["log"]), "job %s: no log %s" % (n, row["log"]))
    check(row["jobFile"].endswith("Job%s.jwrap" % n), "job %s: wrong job file %s" % (n, row["jobFile"]))
    if want == 0:
        check(row["report"] is not None, "job %s: no report" % n)
        for name in ("ONL", "BAT", "SUB"):
            result = os.path.join(jobs, "base", "job" + n, "WrapOut", name + n + ".xml")
            check(os.path.isfile(result), "job %s: no result %s" % (n, result))
        check(row["results"] == 3, "job %s: %r results in its report, expected 3" % (n, row["results"]))
    else:
        check(row["why"], "job %s failed without a reason" % n)
failed = [row for row in summary["tasks"] if row["exitStatus"] != 0]
check("tool" in (failed[0]["why"] or "") if failed else False,
      "job 07's reason does not name the tool: %r" % (failed[0]["why"] if failed else None))
table = open(os.path.join(out, "summary.txt")).read()
check(table.startswith("20 jobs: 18 ended well, 2 failed"), "table heading: " + table.splitlines()[0])
check("Job07.jwrap" in table and "Job13.jwrap" in table, "table does not list the failed jobs")
if problems:
    print("\n".join(problems), file=sys.stderr)
    print(open(os.path.join(out, "summary.txt")).read(), file=sys.stderr)
    sys.exit(1)
print("summary and results checked: 18 ended well, 2 failed as they were made to")
EOF
echo "== Slurm test passed in $(($(date +%s) - started)) s"
