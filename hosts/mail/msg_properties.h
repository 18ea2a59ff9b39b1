// Outlook's message file: the property tags it stores (the property id in the high
// 16 bits, the type in the low 16) and the names of its storages and streams.
#pragma once

#include <cstdint>
#include <string>

namespace mail::msg {

// Property types.
inline constexpr uint16_t kInt32 = 0x0003;
inline constexpr uint16_t kBoolean = 0x000B;
inline constexpr uint16_t kInt64 = 0x0014;
inline constexpr uint16_t kString8 = 0x001E;
inline constexpr uint16_t kUnicode = 0x001F;
inline constexpr uint16_t kTime = 0x0040;
inline constexpr uint16_t kGuid = 0x0048;
inline constexpr uint16_t kBinary = 0x0102;

constexpr uint32_t Tag(uint16_t id, uint16_t type) { return (uint32_t(id) << 16) | type; }
constexpr uint16_t TypeOf(uint32_t tag) { return uint16_t(tag & 0xFFFF); }
// Strings, binaries and GUIDs live in streams of their own; the rest in the property stream.
constexpr bool InStream(uint16_t type) {
    return type == kUnicode || type == kString8 || type == kBinary || type == kGuid;
}

namespace tag {
// The message.
inline constexpr uint32_t MessageClass = Tag(0x001A, kUnicode);
inline constexpr uint32_t Importance = Tag(0x0017, kInt32);
inline constexpr uint32_t Subject = Tag(0x0037, kUnicode);
inline constexpr uint32_t ClientSubmitTime = Tag(0x0039, kTime);
inline constexpr uint32_t SubjectPrefix = Tag(0x003D, kUnicode);
inline constexpr uint32_t SentRepresentingName = Tag(0x0042, kUnicode);
inline constexpr uint32_t SentRepresentingAddressType = Tag(0x0064, kUnicode);
inline constexpr uint32_t SentRepresentingEmailAddress = Tag(0x0065, kUnicode);
inline constexpr uint32_t ConversationTopic = Tag(0x0070, kUnicode);
inline constexpr uint32_t SenderName = Tag(0x0C1A, kUnicode);
inline constexpr uint32_t SenderAddressType = Tag(0x0C1E, kUnicode);
inline constexpr uint32_t SenderEmailAddress = Tag(0x0C1F, kUnicode);
inline constexpr uint32_t DisplayBcc = Tag(0x0E02, kUnicode);
inline constexpr uint32_t DisplayCc = Tag(0x0E03, kUnicode);
inline constexpr uint32_t DisplayTo = Tag(0x0E04, kUnicode);
inline constexpr uint32_t MessageDeliveryTime = Tag(0x0E06, kTime);
inline constexpr uint32_t MessageFlags = Tag(0x0E07, kInt32);
inline constexpr uint32_t HasAttachments = Tag(0x0E1B, kBoolean);
inline constexpr uint32_t NormalizedSubject = Tag(0x0E1D, kUnicode);
inline constexpr uint32_t Body = Tag(0x1000, kUnicode);
inline constexpr uint32_t Html = Tag(0x1013, kBinary);
inline constexpr uint32_t BodyHtml = Tag(0x1013, kUnicode);  // read only: some writers store HTML as text
inline constexpr uint32_t NativeBody = Tag(0x1016, kInt32);
inline constexpr uint32_t InternetMessageId = Tag(0x1035, kUnicode);
inline constexpr uint32_t StoreSupportMask = Tag(0x340D, kInt32);
inline constexpr uint32_t InternetCodepage = Tag(0x3FDE, kInt32);
inline constexpr uint32_t MessageEditorFormat = Tag(0x5909, kInt32);
inline constexpr uint32_t SenderSmtpAddress = Tag(0x5D01, kUnicode);
// Recipients and attachments.
inline constexpr uint32_t RecipientType = Tag(0x0C15, kInt32);
inline constexpr uint32_t ObjectType = Tag(0x0FFE, kInt32);
inline constexpr uint32_t RowId = Tag(0x3000, kInt32);
inline constexpr uint32_t DisplayName = Tag(0x3001, kUnicode);
inline constexpr uint32_t AddressType = Tag(0x3002, kUnicode);
inline constexpr uint32_t EmailAddress = Tag(0x3003, kUnicode);
inline constexpr uint32_t DisplayType = Tag(0x3900, kInt32);
inline constexpr uint32_t SmtpAddress = Tag(0x39FE, kUnicode);
inline constexpr uint32_t RecipientFlags = Tag(0x5FFD, kInt32);
inline constexpr uint32_t RecipientDisplayName = Tag(0x5FF6, kUnicode);
inline constexpr uint32_t AttachSize = Tag(0x0E20, kInt32);
inline constexpr uint32_t AttachNumber = Tag(0x0E21, kInt32);
inline constexpr uint32_t AttachDataBinary = Tag(0x3701, kBinary);
inline constexpr uint32_t AttachExtension = Tag(0x3703, kUnicode);
inline constexpr uint32_t AttachFilename = Tag(0x3704, kUnicode);
inline constexpr uint32_t AttachMethod = Tag(0x3705, kInt32);
inline constexpr uint32_t AttachLongFilename = Tag(0x3707, kUnicode);
inline constexpr uint32_t RenderingPosition = Tag(0x370B, kInt32);
inline constexpr uint32_t AttachMimeTag = Tag(0x370E, kUnicode);
}  // namespace tag

// Values.
inline constexpr int32_t kMessageFlagRead = 0x01;
inline constexpr int32_t kMessageFlagUnsent = 0x08;
inline constexpr int32_t kMessageFlagHasAttachments = 0x10;
inline constexpr int32_t kStoreUnicodeOk = 0x00040000;
inline constexpr int32_t kCodepageUtf8 = 65001;
inline constexpr int32_t kObjectMailUser = 6;
inline constexpr int32_t kObjectAttachment = 7;
inline constexpr int32_t kAttachByValue = 1;
inline constexpr int32_t kNotRendered = -1;  // 0xFFFFFFFF: the attachment has no place in the body
inline constexpr int32_t kNativeBodyPlain = 1;
inline constexpr int32_t kNativeBodyHtml = 3;
inline constexpr int32_t kRecipientSendable = 1;
inline constexpr int32_t kFlagsReadWrite = 0x06;  // readable and writable

// Storage and stream names.
inline constexpr const char* kPropertyStream = "__properties_version1.0";
inline constexpr const char* kNamedPropertyStorage = "__nameid_version1.0";
inline constexpr const char* kNamedPropertyStreams[] = {"__substg1.0_00020102", "__substg1.0_00030102",
                                                         "__substg1.0_00040102"};
inline constexpr const char* kRecipientPrefix = "__recip_version1.0_#";
inline constexpr const char* kAttachmentPrefix = "__attach_version1.0_#";
// The stream of a property: "__substg1.0_0037001F".
std::string StreamName(uint32_t tag);
// "__recip_version1.0_#0000000A".
std::string NumberedStorage(const char* prefix, uint32_t index);

// Header sizes of a property stream.
inline constexpr size_t kTopLevelHeader = 32;
inline constexpr size_t kSubObjectHeader = 8;
inline constexpr size_t kEntrySize = 16;

}  // namespace mail::msg
