# Runs inside the test VM (scripts/kernel-vm) with the uinput and evdev
# modules: udev tags /dev/uinput for the seat's user by the package's rule,
# then the injector's batches are read back from its event node.
status=0

systemd-udevd --daemon --resolve-names=never
udevadm trigger --action=add --subsystem-match=misc
udevadm settle
if udevadm info --query=property --name=/dev/uinput | grep -q '^TAGS=.*:uaccess:'; then
  echo "uinput: tagged uaccess"
else
  echo "uinput: the rule did not tag /dev/uinput uaccess"
  status=1
fi
udevadm control --exit

./KernelUinputTest || status=1

exit $status
