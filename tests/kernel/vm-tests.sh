# Runs inside the test VM (scripts/kernel-vm): the kernel HID tests once with
# udevd, once without it, where the monitor must fall back on the kernel's
# own events.
status=0

systemd-udevd --daemon --resolve-names=never
./KernelHidTest || status=1

udevadm control --exit
rm -rf /run/udev
./KernelHidTest --gtest_filter='-KernelHidUdev.*' || status=1

exit $status
