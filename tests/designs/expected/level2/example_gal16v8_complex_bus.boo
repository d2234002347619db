A0 = B0
				; 1 
A1 = B1
				; 1 
A2 = B2
				; 1 
A0.TRST =  /DIR &  /G_N
				; 1 
A1.TRST =  /DIR &  /G_N
				; 1 
A2.TRST =  /DIR &  /G_N
				; 1 
B0 = A0
				; 1 
B1 = A1
				; 1 
B2 = A2
				; 1 
B0.TRST = DIR &  /G_N
				; 1 
B1.TRST = DIR &  /G_N
				; 1 
B2.TRST = DIR &  /G_N
				; 1 
PAR = A0 & A1 & A2 +
		A0 &  /A1 &  /A2 +
		 /A0 & A1 &  /A2 +
		 /A0 &  /A1 & A2
				; 4 
PAR.TRST =  /G_N
				; 1 


$__SYMTAB_INFO:
Design_Name: transceiver
Gal_Type: 0
Gal_Mode: 2
Clk_Pin: 1
User_ID: __LEER

Pin_Node: DIR Pin_or_Node: 1 Number: 1 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: G_N Pin_or_Node: 1 Number: 2 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 3 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 4 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 5 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 6 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 7 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 8 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 9 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 10 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: NC Pin_or_Node: 1 Number: 11 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 12 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: A0 Pin_or_Node: 1 Number: 13 Pol: 1 IO: 3 Reg: 0 Trst: 1 Res: 0
Pin_Node: A1 Pin_or_Node: 1 Number: 14 Pol: 1 IO: 3 Reg: 0 Trst: 1 Res: 0
Pin_Node: A2 Pin_or_Node: 1 Number: 15 Pol: 1 IO: 3 Reg: 0 Trst: 1 Res: 0
Pin_Node: B0 Pin_or_Node: 1 Number: 16 Pol: 1 IO: 3 Reg: 0 Trst: 1 Res: 0
Pin_Node: B1 Pin_or_Node: 1 Number: 17 Pol: 1 IO: 3 Reg: 0 Trst: 1 Res: 0
Pin_Node: B2 Pin_or_Node: 1 Number: 18 Pol: 1 IO: 3 Reg: 0 Trst: 1 Res: 0
Pin_Node: PAR Pin_or_Node: 1 Number: 19 Pol: 1 IO: 2 Reg: 0 Trst: 1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 20 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
