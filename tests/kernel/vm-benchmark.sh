# Runs inside the test VM (scripts/kernel-benchmark), with udevd as on a desktop.
systemd-udevd --daemon --resolve-names=never
./KernelHidBenchmark 10000 20
