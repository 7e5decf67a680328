// Identifiers of the resources in tandrel.rc; included by the resource script
// and by the code that loads the resources.
#pragma once

// The donation pictures, RT_RCDATA resources holding baseline JPEG files:
// FindResourceW(instance, MAKEINTRESOURCEW(IDR_WECHAT_CODE), RT_RCDATA).
#define IDR_WECHAT_CODE 201
#define IDR_ALIPAY_CODE 202

#ifndef RC_INVOKED
// The icon group is named rather than numbered:
// LoadIconW(instance, TANDREL_ICON_NAME) or LoadImageW(..., IMAGE_ICON, ...).
#define TANDREL_ICON_NAME L"DEFAULT_ICON"
#endif
