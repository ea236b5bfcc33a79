# The x86 lab installer under Wine.
MSI_ARCH=x86
source "$(dirname "$0")/msi_check.sh"
