// Objects of the access point that several pages use, declared once; a page's own objects stay
// in its file.
#pragma once

/// An OID below the product root, written as its tail: AP_OID("4.2.3").
#define AP_OID(tail) "1.3.6.1.4.1.32473.7310." tail

namespace mib {

// The standard system group.
inline constexpr char sysDescr[] = "1.3.6.1.2.1.1.1";
inline constexpr char sysObjectID[] = "1.3.6.1.2.1.1.2";
inline constexpr char sysUpTime[] = "1.3.6.1.2.1.1.3";
inline constexpr char sysContact[] = "1.3.6.1.2.1.1.4";
inline constexpr char sysName[] = "1.3.6.1.2.1.1.5";
inline constexpr char sysLocation[] = "1.3.6.1.2.1.1.6";

// The device's LAN address, mask and gateway.
inline constexpr char hIPAddress[] = AP_OID("2.1.1.1.1.2.1");
inline constexpr char hSubnetMask[] = AP_OID("2.1.1.1.1.3.1");
inline constexpr char hDefaultGateway[] = AP_OID("2.1.1.1.1.4.1");

// The radio: operating mode and band (instance .1).
inline constexpr char dot11ApMode[] = AP_OID("2.1.3.3.1.1.1.28.1");
inline constexpr char dot11Band[] = AP_OID("2.1.3.3.1.1.1.34.1");

// The radio's channel width (instance .1): 1 20MHz, 2 Auto 20/40 MHz.
inline constexpr char dot11ChannelWidth[] = AP_OID("2.1.3.3.1.1.1.29.1");

// The multi-SSID switch (instance .1): 0 Disable, 1 Enable.
inline constexpr char dot11MssidState[] = AP_OID("3.3.1.1.1.1");

// Link integrity and the number of clients the access point takes (instance .1); the partition,
// performance and grouping pages write them.
inline constexpr char dot11UserLimit[] = AP_OID("3.2.1.1.2.1");
inline constexpr char dot11LinkIntegrate[] = AP_OID("3.2.1.1.3.1");

// Whether the primary SSID's RADIUS clients are held to the network access protection (instance .1).
inline constexpr char dot11NetworkAccessProtection[] = AP_OID("2.1.3.3.2.1.1.22.1");

// The VLAN switch and the administrator's address limit (0 not, 1 by VLAN ID, 2 by address
// ranges, 3 both). The device answers both at ".0": read and write them as scalars (itScalars),
// whatever instance other objects of their group carry.
inline constexpr char dot11VlanStatus[] = AP_OID("3.6.1.1");
inline constexpr char managerIpAddressStatus[] = AP_OID("4.10.1.1");

// Commit objects: store and apply, drop the pending changes, restart.
inline constexpr char deviceRestart[] = AP_OID("4.2.1");
inline constexpr char deviceSettingApply[] = AP_OID("4.2.3");
inline constexpr char deviceSettingDiscard[] = AP_OID("4.2.4");

// TFTP command objects: where the server is, which file, what to do with it.
inline constexpr char tftpServerIPAddress[] = AP_OID("4.3.2.1");
inline constexpr char tftpRemoteFileName[] = AP_OID("4.3.2.2");
inline constexpr char tftpcommand[] = AP_OID("4.3.2.4");
inline constexpr char tftpUpgradeSettingCommand[] = AP_OID("4.3.2.5");

} // namespace mib
