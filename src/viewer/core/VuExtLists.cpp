#include "viewer/core/VuExtLists.h"

const char* const kDefaultExtTextList = "c,cpp,h,hpp,pas,dpr,ini,bat,cmd,url";
const char* const kDefaultExtRtfList = "rtf";
const char* const kDefaultExtImagesList =
    "bmp,ico,wmf,emf,jpg,jpeg,jpe,jfif,rle,dib,gif,win,vst,vda,tga,icb,tif,tiff,fax,eps,pcx,pcc,rpf,rla,sgi,rgba,"
    "rgb,bw,psd,pdd,ppm,pgm,pbm,cel,pic,pcd,cut,pal,psp,png";
const char* const kDefaultExtMediaList =
    "avi,mpg,mpeg,mpe,mpv,mp3,mp2,mp1,m1v,m2v,mpv2,mp2v,mpa,m1a,m2a,asf,lsf,lsx,ivf,wav,mid,midi,rmi,kar,aif,aifc,"
    "aiff,au,snd,mov,qt,3gp,3gp2,3g2,3gpp,ra,rm,ram,rmvb,rpm,rt,rp,smi,smil,roq,asx,m3u,pls,wvx,wax,wmx,wmv,wma,wmp,"
    "wm,cda,ac3,dts,vob,ifo,d2v,fli,flc,flic,mka,mkv,ts,tp,tpr,pva,aac,mp4,ogm,ogg,divx,vp6,m4a,m4b,vqf,ape,mpc,flac,"
    "flv,dvr-ms";
const char* const kDefaultExtWebList =
    "htm,html,htx,shtml,xhtml,shtm,stm,xml,xsl,php,php2,php3,asp,pl,vrml,plg,mht,htt,doc,dot,xls,xlt,pot,pps,ppz,ppt,"
    "wbk,wps,csv,odt,ods,odp,odg,odf,odb,odm,ott,oth,ots,otg,otp,sxw,sxc,sxg,sxi,sxd,sxm,stw,stc,std,sti,pdf,swf,xps";

std::string ExtTextList = kDefaultExtTextList;
std::string ExtRtfList = kDefaultExtRtfList;
std::string ExtImagesList = kDefaultExtImagesList;
std::string ExtMediaList = kDefaultExtMediaList;
std::string ExtWebList = kDefaultExtWebList;

void ResetExtensionLists()
{
    ExtTextList = kDefaultExtTextList;
    ExtRtfList = kDefaultExtRtfList;
    ExtImagesList = kDefaultExtImagesList;
    ExtMediaList = kDefaultExtMediaList;
    ExtWebList = kDefaultExtWebList;
}
