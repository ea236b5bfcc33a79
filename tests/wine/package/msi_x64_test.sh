# The x64 lab installer under Wine.
MSI_ARCH=x64
source "$(dirname "$0")/msi_check.sh"
